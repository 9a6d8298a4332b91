// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#ifndef STEREOGRAM_FAULTS_PROGRAM
#error "STEREOGRAM_FAULTS_PROGRAM must name the program whose start-up fails"
#endif

// Start-up failures of the real program's code, in a build of it whose window
// fails on purpose; what the user sees of them: the error box, then the window
// or the program's end.
namespace e2e {
namespace {

const QString faultsProgram = QStringLiteral(STEREOGRAM_FAULTS_PROGRAM);
const QString programTitle = QStringLiteral("stereogram-faults"); // from the executable's name
const QString applicationErrorCaption = QStringLiteral("アプリケーション エラー");
constexpr int criticalIcon = 3;     // QMessageBox::Critical
constexpr int okButtonOnly = 0x400; // QMessageBox::Ok
constexpr int applicationModal = 2; // Qt::ApplicationModal

std::string text(const QString& string)
{
    return string.toStdString();
}

// An error box on screen, with what the program says of it.
struct ShownBox {
    xcb_window_t window = XCB_WINDOW_NONE;
    QRect client;       // on the screen
    QString wmName;     // as the window manager reads the caption
    bool modal = false; // as the window manager is told
    QImage image;       // the client area
    QString caption;    // as reported, with the rest
    QString text;
    int icon = 0;
    int buttons = 0;
    int modality = 0;
    QPoint ok; // the OK button's centre in the client area
};

// A patch of the error icon's red: pure red dominates a few hundred pixels.
testing::AssertionResult showsTheErrorIcon(const QImage& box)
{
    constexpr int strong = 180;
    constexpr int weak = 80;
    constexpr int iconPixels = 100;
    int red = 0;
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x) {
            const QRgb pixel = box.pixel(x, y);
            red += qRed(pixel) > strong && qGreen(pixel) < weak && qBlue(pixel) < weak;
        }
    if (red >= iconPixels)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "only " << red << " red pixels in the box";
}

testing::AssertionResult allPixels(const QImage& area, QRgb colour)
{
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            if ((area.pixel(x, y) | 0xFF000000u) != (colour | 0xFF000000u))
                return testing::AssertionFailure()
                    << "pixel (" << x << ", " << y << ") is " << std::hex << area.pixel(x, y) << ", not " << colour;
    return testing::AssertionSuccess();
}

// Where `symbol` lies in the program's executable: start and size, from its symbol table.
std::pair<quint64, quint64> symbolRange(const Display& display, const QString& symbol)
{
    const QString table = QString::fromUtf8(
        display.check(QStringLiteral("nm"),
                      {QStringLiteral("--defined-only"), QStringLiteral("-C"), QStringLiteral("-S"), faultsProgram}));
    for (const QString& line : table.split(QLatin1Char('\n'))) {
        const QStringList fields = line.split(QLatin1Char(' '));
        if (fields.size() >= 4 && fields.mid(3).join(QLatin1Char(' ')) == symbol)
            return {fields[0].toULongLong(nullptr, 16), fields[1].toULongLong(nullptr, 16)};
    }
    throw Failure("no symbol " + text(symbol) + " in " + text(faultsProgram));
}

class StartupFailure : public testing::Test {
protected:
    void SetUp() override { display = std::make_unique<Display>(); }
    void TearDown() override
    {
        program.reset();
        display.reset();
    }

    void start(const QString& scenario)
    {
        program = std::make_unique<Program>(*display, faultsProgram, QStringList{scenario});
    }

    ShownBox waitForBox(const QString& caption)
    {
        ShownBox box;
        box.window = program->waitForWindowCaptioned(caption);
        box.caption = program->waitForOutput(QStringLiteral("caption"));
        box.text = program->waitForOutput(QStringLiteral("text")).replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        box.icon = program->waitForOutput(QStringLiteral("icon")).toInt();
        box.buttons = program->waitForOutput(QStringLiteral("buttons")).toInt();
        box.modality = program->waitForOutput(QStringLiteral("modality")).toInt();
        const QStringList ok = program->waitForOutput(QStringLiteral("ok")).split(QLatin1Char(','));
        box.ok = QPoint(ok.value(0).toInt(), ok.value(1).toInt());

        xquery::Connection& x = display->x();
        const std::optional<xquery::Geometry> where = x.geometry(box.window);
        if (!where)
            throw Failure("the error box went away");
        box.client = QRect(where->x, where->y, where->width, where->height);
        const std::optional<xquery::Property> name = x.property(box.window, "_NET_WM_NAME");
        box.wmName = name ? QString::fromUtf8(QByteArray::fromStdString(name->bytes)) : QString();
        const std::optional<xquery::Property> state = x.property(box.window, "_NET_WM_STATE");
        box.modal = state
            && std::find(state->values.begin(), state->values.end(), x.atom("_NET_WM_STATE_MODAL"))
                != state->values.end();
        box.image = cut(display->screenshot(), box.client.topLeft(), QRect(QPoint(0, 0), box.client.size()));
        return box;
    }

    void expectErrorBox(const ShownBox& box, const QString& caption)
    {
        EXPECT_EQ(text(box.wmName), text(caption));
        EXPECT_EQ(text(box.caption), text(caption));
        EXPECT_EQ(box.icon, criticalIcon);
        EXPECT_EQ(box.buttons, okButtonOnly);
        EXPECT_EQ(box.modality, applicationModal);
        EXPECT_TRUE(box.modal) << "_NET_WM_STATE has no _NET_WM_STATE_MODAL";
        EXPECT_TRUE(showsTheErrorIcon(box.image));
        EXPECT_TRUE(program->windowsCaptioned(QStringLiteral("Form1")).empty()) << "the window is shown already";
    }

    void pressEnter(const ShownBox& box)
    {
        display->check(QStringLiteral("xdotool"),
                       {QStringLiteral("windowactivate"), QStringLiteral("--sync"), toolId(box.window)});
        display->check(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
    }

    void clickOk(const ShownBox& box)
    {
        const QPoint at = box.client.topLeft() + box.ok;
        display->check(QStringLiteral("xdotool"),
                       {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()),
                        QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
    }

    // After the box: the window as it shows once painted and still, and `wanted` of its client area.
    View windowOnceShown(const std::function<bool(const QImage& client)>& wanted)
    {
        program->waitForWindow();
        return waitForView(*program, [&](const View& view) {
            return wanted(
                cut(view.screenshot, view.geometry.client.topLeft(), QRect(QPoint(0, 0), view.geometry.client.size())));
        });
    }

    void closeTheWindowAndExpectExit(int status)
    {
        program->type(QStringLiteral("Return"));
        ASSERT_TRUE(program->waitForExit(5s));
        EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program->exitCode(), status);
    }

    void expectApplicationError(const QString& scenario, bool byClick, const QString& className,
                                const QString& function, const QString& message)
    {
        start(scenario);
        const ShownBox box = waitForBox(applicationErrorCaption);
        expectErrorBox(box, applicationErrorCaption);
        const QRegularExpressionMatch match =
            QRegularExpression(
                QRegularExpression::anchoredPattern(
                    QRegularExpression::escape(className + QStringLiteral("がモジュール stereogram-faults の "))
                    + QStringLiteral("([0-9A-F]{16})")
                    + QRegularExpression::escape(QStringLiteral(" で発生しました。\n") + message)))
                .match(box.text);
        ASSERT_TRUE(match.hasMatch()) << text(box.text);
        const quint64 address = match.captured(1).toULongLong(nullptr, 16);
        const auto [start, size] = symbolRange(*display, function);
        EXPECT_TRUE(address >= start && address < start + size)
            << "the address " << std::hex << address << " is not in " << text(function) << " at " << start << "+"
            << size;

        if (byClick)
            clickOk(box);
        else
            pressEnter(box);
        ASSERT_TRUE(program->waitForExit(5s)) << "still running once the box was dismissed";
        EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program->exitCode(), 1);
    }

    std::unique_ptr<Display> display;
    std::unique_ptr<Program> program;
};

TEST_F(StartupFailure, FailedDrawingIsReportedThenTheWindowOpensOnTheButtonFace)
{
    start(QStringLiteral("clock"));
    const ShownBox box = waitForBox(programTitle);
    expectErrorBox(box, programTitle);
    EXPECT_EQ(text(box.text), "時刻を読み取れません.");

    pressEnter(box);
    // The clock failed before the first dot, so there is no picture: the
    // background, still the button face and no dot colour, shows through.
    const auto backgroundEverywhere = [](const QImage& client) {
        const QRgb background = client.pixel(0, 0);
        return !isNearBlackRed(background) && allPixels(cut(client, QPoint(0, 0), pictureBounds), background);
    };
    const View view = windowOnceShown(backgroundEverywhere);
    const QRect& client = view.geometry.client;
    const QRgb background = view.screenshot.pixel(client.topLeft()) | 0xFF000000u;
    EXPECT_FALSE(isNearBlackRed(background));
    EXPECT_TRUE(allPixels(cut(view.screenshot, client.topLeft(), pictureBounds), background));
    EXPECT_TRUE(backgroundAround(view.screenshot, client, background, scaledButton(measureText(*display).textHeight)));

    closeTheWindowAndExpectExit(0);
}

TEST_F(StartupFailure, PictureThatCannotBeCreatedIsReportedThenTheBackgroundShowsThrough)
{
    start(QStringLiteral("picture"));
    const ShownBox box = waitForBox(programTitle);
    expectErrorBox(box, programTitle);
    EXPECT_EQ(text(box.text), "システム リソースが足りません.");

    clickOk(box);
    const auto backgroundEverywhere = [](const QImage& client) {
        const QRgb background = client.pixel(0, 0);
        return isNearBlackRed(background) && allPixels(cut(client, QPoint(0, 0), pictureBounds), background);
    };
    const View view = windowOnceShown(backgroundEverywhere);
    const QRect& client = view.geometry.client;
    const QRgb background = view.screenshot.pixel(client.topLeft()) | 0xFF000000u;
    EXPECT_TRUE(isNearBlackRed(background)); // the first chain's colour, set before the picture failed
    EXPECT_TRUE(allPixels(cut(view.screenshot, client.topLeft(), pictureBounds), background));
    EXPECT_TRUE(backgroundAround(view.screenshot, client, background, scaledButton(measureText(*display).textHeight)));

    closeTheWindowAndExpectExit(0);
}

TEST_F(StartupFailure, ConstructionFailureIsAnApplicationErrorAndEndsTheProgram)
{
    expectApplicationError(QStringLiteral("layout"), false, QStringLiteral("faults::LayoutError"),
                           QStringLiteral("faults::failLayout()"), QStringLiteral("レイアウトを読み込めません."));
}

TEST_F(StartupFailure, ConstructionFailureWithAValueThatIsNoStdExceptionIsReportedByItsType)
{
    expectApplicationError(QStringLiteral("layout-code"), true, QStringLiteral("faults::Code"),
                           QStringLiteral("faults::failWithCode()"), QStringLiteral("faults::Code 型の例外."));
}

} // namespace
} // namespace e2e
