// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/application.h"
#include "app/errors/errorreport.h"
#include "faultyforms.h"
#include "render/palette.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <cxxabi.h>
#include <dlfcn.h>

#include <memory>
#include <optional>
#include <vector>

namespace {

// An error box as it was while shown.
struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QMessageBox::StandardButtons standardButtons;
    Qt::WindowModality modality = Qt::NonModal;
    bool hasParent = true;
    bool windowShown = true; // Form1, while the box was up
};

// Waits for the next message box, notes what it shows and presses its OK button.
class BoxAnswerer : public QObject {
public:
    BoxAnswerer()
    {
        connect(&m_poll, &QTimer::timeout, this, &BoxAnswerer::look);
        m_poll.start(pollInterval);
    }
    std::optional<SeenBox> seen;

private:
    static constexpr int pollInterval = 10;

    void look()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (!box || !box->isVisible())
                continue;
            SeenBox found;
            found.caption = box->windowTitle();
            found.text = box->text();
            found.icon = box->icon();
            for (QAbstractButton* button : box->buttons())
                found.buttons << button->text();
            found.standardButtons = box->standardButtons();
            found.modality = box->windowModality();
            found.hasParent = box->parentWidget() != nullptr;
            found.windowShown = Form1 && Form1->isVisible();
            seen = found;
            m_poll.stop();
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            (ok ? ok : box->buttons().value(0))->click();
            return;
        }
    }

    QTimer m_poll;
};

// The function whose code holds `offset` within the module holding `inModule`, demangled.
QString functionAt(std::uintptr_t offset, const void* inModule)
{
    Dl_info module{};
    if (!dladdr(inModule, &module))
        return QStringLiteral("(no module)");
    Dl_info function{};
    if (!dladdr(static_cast<const char*>(module.dli_fbase) + offset, &function) || !function.dli_sname)
        return QStringLiteral("(no function)");
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(function.dli_sname, nullptr, nullptr, &status), &std::free);
    return QString::fromUtf8(status == 0 ? name.get() : function.dli_sname);
}

const void* inThisProgram()
{
    return reinterpret_cast<const void*>(&faults::failLayout);
}

errors::CaughtException catchFrom(const std::function<void()>& failing)
{
    try {
        failing();
    } catch (...) {
        return errors::caughtException();
    }
    return {};
}

const QString programModule = QStringLiteral("errors-test");

// An exception whose std::exception part does not start the object.
struct Tagged {
    virtual ~Tagged() = default;
    int tag = 0;
};
struct TaggedError : Tagged, std::runtime_error {
    TaggedError()
        : std::runtime_error("タグ付き")
    {}
};

} // namespace

class ErrorsTest : public QObject {
    Q_OBJECT

public:
    explicit ErrorsTest(Application& application)
        : m_application(application)
    {}

private Q_SLOTS:
    void creationErrorText_data();
    void creationErrorText();
    void applicationErrorText_data();
    void applicationErrorText();
    void addressesAreWrittenInFullUpperCaseHex();

    void describesAnyCaughtException_data();
    void describesAnyCaughtException();
    void throwSiteIsTheThrowingFunction();
    void throwFromALibraryNamesTheLibrary();
    void anExceptionCaughtInsideAHandlerDoesNotHideTheOuterSite();
    void anExceptionRethrownFromAnExceptionPtrKeepsItsSite();
    void anExceptionNeverThrownHasNoSite();
    void everyThrowIsNotedHoweverManyCameBefore();

    void exceptionFromDrawingIsReportedThenTheBackgroundShows();
    void aValueThatIsNoStdExceptionIsReportedByItsType();
    void pictureThatCannotBeCreatedLeavesTheBackgroundShowing();
    void constructionFailureIsAnApplicationError_data();
    void constructionFailureIsAnApplicationError();

    void cleanup();

private:
    // Runs CreateForm<Form>() and answers the box it shows.
    template <class Form>
    std::optional<SeenBox> createAndAnswer()
    {
        BoxAnswerer answerer;
        m_application.CreateForm<Form>();
        return answerer.seen;
    }

    Application& m_application;
};

void ErrorsTest::creationErrorText_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a Japanese last character gets a period")
        << QByteArray("時刻を読み取れません") << QStringLiteral("時刻を読み取れません.");
    QTest::newRow("a letter gets a period") << QByteArray("disk full") << QStringLiteral("disk full.");
    QTest::newRow("a digit gets a period") << QByteArray("code 7") << QStringLiteral("code 7.");
    QTest::newRow("a slash, just after the period, gets one") << QByteArray("a/") << QStringLiteral("a/.");
    QTest::newRow("a period is not doubled") << QByteArray("done.") << QStringLiteral("done.");
    QTest::newRow("a hyphen, just before the period, gets none") << QByteArray("a-") << QStringLiteral("a-");
    QTest::newRow("an exclamation mark gets none") << QByteArray("stop!") << QStringLiteral("stop!");
    QTest::newRow("a closing bracket gets none") << QByteArray("(x)") << QStringLiteral("(x)");
    QTest::newRow("a full-width stop is a Japanese character") << QByteArray("終了。") << QStringLiteral("終了。.");
    QTest::newRow("an empty message stays empty") << QByteArray() << QString();
}

void ErrorsTest::creationErrorText()
{
    QFETCH(QByteArray, message);
    QFETCH(QString, shown);
    QCOMPARE(errors::creationErrorText(message), shown);
}

void ErrorsTest::applicationErrorText_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QString>("shown");
    const QString head =
        QStringLiteral("faults::LayoutErrorがモジュール stereogram の 00000000000A1B2C で発生しました。\n");
    QTest::newRow("a message gets a period")
        << QByteArray("レイアウトを読み込めません") << head + QStringLiteral("レイアウトを読み込めません.");
    QTest::newRow("a period is not doubled") << QByteArray("done.") << head + QStringLiteral("done.");
    QTest::newRow("an exclamation mark gets one too") << QByteArray("stop!") << head + QStringLiteral("stop!.");
    QTest::newRow("an empty message gets none") << QByteArray() << head;
    QTest::newRow("placeholders in the message stay as they are")
        << QByteArray("%1 %s") << head + QStringLiteral("%1 %s.");
}

void ErrorsTest::applicationErrorText()
{
    QFETCH(QByteArray, message);
    QFETCH(QString, shown);
    QCOMPARE(errors::applicationErrorText("faults::LayoutError", "stereogram", 0xA1B2C, message), shown);
}

void ErrorsTest::addressesAreWrittenInFullUpperCaseHex()
{
    QCOMPARE(errors::address(0), QStringLiteral("0000000000000000"));
    QCOMPARE(errors::address(0xabcdef), QStringLiteral("0000000000ABCDEF"));
    QCOMPARE(errors::address(std::uintptr_t(-1)), QStringLiteral("FFFFFFFFFFFFFFFF"));
}

void ErrorsTest::describesAnyCaughtException_data()
{
    QTest::addColumn<std::function<void()>>("failing");
    QTest::addColumn<QByteArray>("className");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("a standard exception by its class and what()")
        << std::function<void()>([] { throw std::out_of_range("範囲外"); }) << QByteArray("std::out_of_range")
        << QByteArray("範囲外");
    QTest::newRow("std::exception as a second base")
        << std::function<void()>([] { throw TaggedError(); }) << QByteArray("(anonymous namespace)::TaggedError")
        << QByteArray("タグ付き");
    QTest::newRow("a class of the program's own")
        << std::function<void()>(&faults::failLayout) << QByteArray("faults::LayoutError")
        << QByteArray(faults::layoutMessage);
    QTest::newRow("a string literal is its own message")
        << std::function<void()>([] { throw "文字列"; }) << QByteArray("char const*") << QByteArray("文字列");
    QTest::newRow("a std::string is its own message")
        << std::function<void()>([] { throw std::string("文字列"); })
        << QByteArray("std::__cxx11::basic_string<char, std::char_traits<char>, std::allocator<char> >")
        << QByteArray("文字列");
    QTest::newRow("any other value is named by its type")
        << std::function<void()>(&faults::failWithCode) << QByteArray("faults::Code")
        << QByteArray("faults::Code 型の例外");
    QTest::newRow("a number likewise") << std::function<void()>([] { throw 42; }) << QByteArray("int")
                                       << QByteArray("int 型の例外");
}

void ErrorsTest::describesAnyCaughtException()
{
    QFETCH(std::function<void()>, failing);
    QFETCH(QByteArray, className);
    QFETCH(QByteArray, message);
    const errors::CaughtException caught = catchFrom(failing);
    QCOMPARE(caught.className, className);
    QCOMPARE(caught.message, message);
    QVERIFY(caught.site.known);
    QCOMPARE(QString::fromStdString(caught.site.module), programModule);
}

void ErrorsTest::throwSiteIsTheThrowingFunction()
{
    const errors::CaughtException layout = catchFrom(&faults::failLayout);
    QVERIFY(layout.site.known);
    QCOMPARE(functionAt(layout.site.offset, inThisProgram()), QStringLiteral("faults::failLayout()"));
    const errors::CaughtException code = catchFrom(&faults::failWithCode);
    QCOMPARE(functionAt(code.site.offset, inThisProgram()), QStringLiteral("faults::failWithCode()"));
}

void ErrorsTest::throwFromALibraryNamesTheLibrary()
{
    const errors::CaughtException caught = catchFrom([] { (void)std::vector<int>().at(1); });
    QCOMPARE(caught.className, QByteArray("std::out_of_range"));
    QVERIFY(caught.site.known);
    QCOMPARE(QString::fromStdString(caught.site.module), QStringLiteral("libstdc++.so.6"));
    // The throw is in the library's code, if not under a name it exports.
    void* library = dlopen("libstdc++.so.6", RTLD_LAZY | RTLD_NOLOAD);
    QVERIFY(library);
    Dl_info module{};
    QVERIFY(dladdr(dlsym(library, "_ZSt24__throw_out_of_range_fmtPKcz"), &module));
    dlclose(library);
    Dl_info site{};
    QVERIFY(dladdr(static_cast<const char*>(module.dli_fbase) + caught.site.offset, &site));
    QCOMPARE(site.dli_fbase, module.dli_fbase);
}

void ErrorsTest::anExceptionCaughtInsideAHandlerDoesNotHideTheOuterSite()
{
    errors::CaughtException caught;
    try {
        faults::failLayout();
    } catch (...) {
        try {
            throw faults::LayoutError("内側");
        } catch (const faults::LayoutError&) {}
        caught = errors::caughtException();
    }
    QCOMPARE(caught.message, QByteArray(faults::layoutMessage));
    QCOMPARE(functionAt(caught.site.offset, inThisProgram()), QStringLiteral("faults::failLayout()"));
}

void ErrorsTest::anExceptionRethrownFromAnExceptionPtrKeepsItsSite()
{
    const auto keep = [](void (*failing)()) {
        try {
            failing();
        } catch (...) {
            return std::current_exception();
        }
        return std::exception_ptr();
    };
    const std::exception_ptr first = keep(&faults::failWithCode);
    const std::exception_ptr second = keep(&faults::failLayout);
    const errors::CaughtException caught = catchFrom([&first] { std::rethrow_exception(first); });
    QVERIFY(caught.site.known);
    QCOMPARE(functionAt(caught.site.offset, inThisProgram()), QStringLiteral("faults::failWithCode()"));
}

void ErrorsTest::anExceptionNeverThrownHasNoSite()
{
    const errors::CaughtException caught = catchFrom(&faults::failWithMadeException);
    QCOMPARE(caught.message, QByteArray(faults::layoutMessage));
    QVERIFY(!caught.site.known);
    QCOMPARE(caught.site.offset, std::uintptr_t{0});
}

void ErrorsTest::everyThrowIsNotedHoweverManyCameBefore()
{
    constexpr int many = 1000;
    for (int i = 0; i < many; ++i) {
        const errors::CaughtException caught = catchFrom(&faults::failWithCode);
        QVERIFY(caught.site.known);
    }
}

void ErrorsTest::exceptionFromDrawingIsReportedThenTheBackgroundShows()
{
    const std::optional<SeenBox> box = createAndAnswer<faults::ClockFailureForm<faults::stoppedClock>>();
    QVERIFY(box);
    QCOMPARE(box->caption, m_application.title());
    QCOMPARE(box->caption, programModule);
    QCOMPARE(box->text, QStringLiteral("時刻を読み取れません."));
    QCOMPARE(box->icon, QMessageBox::Critical);
    QCOMPARE(box->buttons, QStringList{QStringLiteral("OK")});
    QCOMPARE(box->standardButtons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box->modality, Qt::ApplicationModal);
    QVERIFY(!box->hasParent);
    QVERIFY(!box->windowShown);

    // Start-up goes on with the window as the failure left it: the clock is
    // read before the first dot, so there is no picture, and the background,
    // still the button face, shows through.
    QVERIFY(Form1);
    QVERIFY(Form1->Image1->picture().isNull());
    QCOMPARE(Form1->color(), colours::clBtnFace);
    Form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
    const QImage shown = Form1->grab().toImage();
    const QRgb face = Form1->palette().color(QPalette::Button).rgb();
    for (const QPoint p : {QPoint(30, 80), QPoint(829, 80), QPoint(30, 679), QPoint(829, 679), QPoint(430, 380)})
        QCOMPARE(shown.pixel(p), face);
}

void ErrorsTest::aValueThatIsNoStdExceptionIsReportedByItsType()
{
    const std::optional<SeenBox> box = createAndAnswer<faults::ClockFailureForm<faults::clockThrowingCode>>();
    QVERIFY(box);
    QCOMPARE(box->text, QStringLiteral("faults::Code 型の例外."));
    QCOMPARE(box->icon, QMessageBox::Critical);
    QVERIFY(Form1);
}

void ErrorsTest::pictureThatCannotBeCreatedLeavesTheBackgroundShowing()
{
    const std::optional<SeenBox> box = createAndAnswer<faults::PictureFailureForm>();
    QVERIFY(box);
    QCOMPARE(box->caption, m_application.title());
    QCOMPARE(box->text, QStringLiteral("システム リソースが足りません."));
    QCOMPARE(box->icon, QMessageBox::Critical);
    QCOMPARE(box->buttons, QStringList{QStringLiteral("OK")});

    QVERIFY(Form1);
    QVERIFY(Form1->Image1->picture().isNull());
    QCOMPARE(Form1->Image1->geometry(), QRect(30, 80, 800, 600));
    // The first chain's colour reached the window before the picture failed.
    QVERIFY(render::isPaletteIndex(Form1->color()));
    Form1->show();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
    const QImage shown = Form1->grab().toImage();
    const QRgb background = qRgb(int(Form1->color()), 0, 0);
    for (const QPoint p : {QPoint(30, 80), QPoint(829, 80), QPoint(30, 679), QPoint(829, 679), QPoint(430, 380)})
        QCOMPARE(shown.pixel(p), background);
}

void ErrorsTest::constructionFailureIsAnApplicationError_data()
{
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("function");
    QTest::addColumn<QString>("message");
    QTest::newRow("a standard exception")
        << 0 << QStringLiteral("faults::LayoutError") << QStringLiteral("faults::failLayout()")
        << QStringLiteral("レイアウトを読み込めません.");
    QTest::newRow("a value that is no std::exception")
        << 1 << QStringLiteral("faults::Code") << QStringLiteral("faults::failWithCode()")
        << QStringLiteral("faults::Code 型の例外.");
    QTest::newRow("an exception never thrown, at the null address")
        << 2 << QStringLiteral("faults::LayoutError") << QString() << QStringLiteral("レイアウトを読み込めません.");
}

void ErrorsTest::constructionFailureIsAnApplicationError()
{
    QFETCH(int, failure);
    QFETCH(QString, className);
    QFETCH(QString, function);
    QFETCH(QString, message);
    const std::optional<SeenBox> box = failure == 0
        ? createAndAnswer<faults::ConstructionFailureForm<faults::failLayout>>()
        : failure == 1 ? createAndAnswer<faults::ConstructionFailureForm<faults::failWithCode>>()
                       : createAndAnswer<faults::ConstructionFailureForm<faults::failWithMadeException>>();
    QVERIFY(box);
    QCOMPARE(box->caption, QStringLiteral("アプリケーション エラー"));
    QCOMPARE(box->icon, QMessageBox::Critical);
    QCOMPARE(box->buttons, QStringList{QStringLiteral("OK")});
    QCOMPARE(box->modality, Qt::ApplicationModal);
    QVERIFY(!box->hasParent);

    const QRegularExpression format(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(className + QStringLiteral("がモジュール ") + programModule + QStringLiteral(" の "))
        + QStringLiteral("([0-9A-F]{16})")
        + QRegularExpression::escape(QStringLiteral(" で発生しました。\n") + message)));
    const QRegularExpressionMatch match = format.match(box->text);
    QVERIFY2(match.hasMatch(), qPrintable(box->text));
    if (function.isEmpty())
        QCOMPARE(match.captured(1), QStringLiteral("0000000000000000"));
    else
        QCOMPARE(functionAt(match.captured(1).toULongLong(nullptr, 16), inThisProgram()), function);

    QVERIFY(!Form1);
    QCOMPARE(m_application.Run(), 1);
}

void ErrorsTest::cleanup()
{
    // The application keeps its window until the next one replaces it.
    if (Form1)
        Form1->hide();
}

int main(int argc, char* argv[])
{
    Application application(argc, argv);
    ErrorsTest test(application);
    return QTest::qExec(&test, argc, argv);
}

#include "errors_test.moc"
