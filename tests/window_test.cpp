// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "emblemdecoder.h"

#include "app/window/layoutscaling.h"
#include "app/window/tform1.h"
#include "render/memorysurface.h"
#include "render/palette.h"
#include "render/renderer.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QRegion>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

namespace {

render::TimeOfDay afternoon()
{
    return {12, 34, 56, 789};
}

// The window, drawing its dots from a fixed time of day.
class AfternoonForm : public TForm1 {
public:
    AfternoonForm() { m_clock = afternoon; }
};

bool isPaletteRgb(QRgb pixel)
{
    return std::any_of(render::palette.begin() + 1, render::palette.end(),
                       [pixel](render::Colour c) { return colours::toRgb32(c) == (pixel | 0xFF000000u); });
}

} // namespace

// The window as its own parts see it, on Qt's offscreen platform.
class WindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsItsLayout();
    void backgroundColourIsStoredAndReadBack();
    void pictureAppearsWhiteAtTheControlsSizeOnTheFirstWrite();
    void writesOutsideThePictureChangeNothing_data();
    void writesOutsideThePictureChangeNothing();
    void formCreateDrawsTheInMemoryPictureForTheSameClock();
    void formCreateRestoresThePicturesBoundsAndDraws();
    void aPartialRepaintShowsThatPartOfThePicture();
    void showsPictureOnTheBackgroundColour();
    void theBackgroundIsTheDesktopsButtonFace();
    void aPictureTooLargeToCreateFailsTheFirstWrite();
    void aWriteWhileShownReachesTheScreen();
    void theSameBackgroundColourAgainRepaintsNothing();
    void closingKeys_data();
    void closingKeys();
    void clickingTheButtonCloses();
    void scrollsInsteadOfShrinking();
    void aControlMovedWhileShownChangesTheScrollExtent();
    void theScrollExtentReachesTheControlsFarthestEdges_data();
    void theScrollExtentReachesTheControlsFarthestEdges();
};

void WindowTest::loadsItsLayout()
{
    TForm1 form;
    QCOMPARE(Form1, &form);
    QCOMPARE(form.windowTitle(), QStringLiteral("Form1"));
    QCOMPARE(form.BitBtn1->text(), QStringLiteral("閉じる(&C)"));
    QCOMPARE(form.color(), colours::clBtnFace);
    QVERIFY(form.Image1->picture().isNull());

    // Scaled for this screen: the font by its resolution, the controls by the
    // text height in that font, which the button's caption is drawn in.
    const int pixelsPerInch = form.logicalDpiY();
    const QFontInfo face(form.BitBtn1->font());
    QCOMPARE(face.family(), QStringLiteral("Ume P Gothic"));
    QCOMPARE(face.pixelSize(), layoutscaling::fontPixelHeight(pixelsPerInch));
    const int textHeight = QFontMetrics(form.BitBtn1->font()).height();
    QCOMPARE(form.Image1->geometry(), layoutscaling::scaledBounds(QRect(30, 80, 800, 600), textHeight));
    QCOMPARE(form.BitBtn1->geometry(), layoutscaling::scaledBounds(QRect(136, 16, 97, 41), textHeight));
    QVERIFY2(textHeight != 15, "the layout must be scaled on this screen for the test to tell");

    // Only the button takes the focus, and it has it from the start.
    QCOMPARE(form.focusPolicy(), Qt::NoFocus);
    QCOMPARE(form.Image1->focusPolicy(), Qt::NoFocus);
    QCOMPARE(form.BitBtn1->focusPolicy(), Qt::StrongFocus);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), form.BitBtn1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), form.BitBtn1);
}

void WindowTest::backgroundColourIsStoredAndReadBack()
{
    TForm1 form;
    form.setColor(5);
    QCOMPARE(form.color(), render::Colour{5});
    form.setColor(colours::clBtnFace);
    QCOMPARE(form.color(), colours::clBtnFace);
    QVERIFY(form.Image1->picture().isNull()); // the picture is no part of it
}

void WindowTest::pictureAppearsWhiteAtTheControlsSizeOnTheFirstWrite()
{
    TForm1 form;
    form.Image1->resize(100, 50);
    {
        WindowSurface surface = form.surface();
        QVERIFY(form.Image1->picture().isNull()); // binding waits for the first write
        surface.setPixel(3, 4, 0x00800080);
    }
    const QImage& picture = form.Image1->picture();
    QCOMPARE(picture.size(), QSize(100, 50));
    QCOMPARE(picture.pixel(3, 4), qRgb(128, 0, 128));
    QCOMPARE(picture.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(picture.pixel(99, 49), qRgb(255, 255, 255));

    form.Image1->resize(800, 600); // the picture keeps its size
    form.surface().setPixel(200, 100, 0);
    QCOMPARE(form.Image1->picture().size(), QSize(100, 50));
}

void WindowTest::writesOutsideThePictureChangeNothing_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("one past the last column") << 800 << 0;
    QTest::newRow("one past the last column of the last row") << 800 << 599;
    QTest::newRow("one past the last row") << 0 << 600;
    QTest::newRow("left of the first column") << -1 << 5;
    QTest::newRow("above the first row") << 5 << -1;
    QTest::newRow("far outside") << 100000 << 100000;
}

void WindowTest::writesOutsideThePictureChangeNothing()
{
    QFETCH(int, column);
    QFETCH(int, row);
    TForm1 form;
    form.Image1->resize(800, 600); // as FormCreate leaves it, whatever the scaling
    WindowSurface surface = form.surface();
    surface.setPixel(799, 599, 0x000000FF);
    const QImage before = form.Image1->picture().copy();
    surface.setPixel(column, row, 0);
    QCOMPARE(form.Image1->picture(), before);
}

void WindowTest::formCreateDrawsTheInMemoryPictureForTheSameClock()
{
    AfternoonForm form;
    form.FormCreate(&form);
    render::MemorySurface memory(800, 600, colours::clBtnFace);
    render::draw(memory, afternoon);

    QCOMPARE(form.color(), memory.color());
    const QImage& picture = form.Image1->picture();
    QCOMPARE(picture.size(), QSize(800, 600));
    for (int row = 0; row < 600; ++row)
        for (int column = 0; column < 800; ++column)
            if (picture.pixel(column, row) != colours::toRgb32(memory.pixel(column, row)))
                QFAIL(qPrintable(QStringLiteral("pixel %1, %2 differs").arg(column).arg(row)));
}

void WindowTest::formCreateRestoresThePicturesBoundsAndDraws()
{
    TForm1 form;
    form.Image1->setGeometry(24, 64, 640, 480); // as a scaled layout would leave it
    form.FormCreate(&form);

    QCOMPARE(form.Image1->geometry(), QRect(30, 80, 800, 600));
    const QImage& picture = form.Image1->picture();
    QCOMPARE(picture.size(), QSize(800, 600));
    QVERIFY(render::isPaletteIndex(form.color()));

    for (int row = 0; row < 600; ++row)
        for (int column = 0; column < 800; ++column)
            QVERIFY(isPaletteRgb(picture.pixel(column, row)));
    const EmblemReading reading = readEmblem([&picture](int column, int row) { return picture.pixel(column, row); });
    QVERIFY2(reading.readsBack(), reading.summary().c_str());
}

void WindowTest::aPartialRepaintShowsThatPartOfThePicture()
{
    AfternoonForm form;
    form.FormCreate(&form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect part(123, 45, 210, 97);
    const QImage shown = form.Image1->grab(part).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown, form.Image1->picture().copy(part));
}

void WindowTest::showsPictureOnTheBackgroundColour()
{
    TForm1 form;
    form.FormCreate(&form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QImage shown = form.grab().toImage();
    const QRgb background = qRgb(int(form.color()), 0, 0);
    for (const QPoint p :
         {QPoint(0, 0), QPoint(5, 70), QPoint(20, 400), QPoint(835, 300), QPoint(400, 30), QPoint(400, 685)})
        QCOMPARE(shown.pixel(p), background);
    const QImage& picture = form.Image1->picture();
    for (const QPoint p : {QPoint(0, 0), QPoint(799, 0), QPoint(0, 599), QPoint(799, 599), QPoint(400, 300)})
        QCOMPARE(shown.pixel(p + QPoint(30, 80)), picture.pixel(p));
}

// Before the drawing sets a colour of its own, the window shows the button
// face of the desktop's palette, even where that differs from its window colour.
void WindowTest::theBackgroundIsTheDesktopsButtonFace()
{
    TForm1 form;
    QPalette palette = form.palette();
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::Window, QColor(40, 50, 60));
    palette.setColor(QPalette::Base, QColor(70, 80, 90));
    form.setPalette(palette);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QImage shown = form.grab().toImage();
    // Beside the controls, and through the picture control, which has no picture yet.
    for (const QPoint p : {QPoint(0, 0), QPoint(5, 70), form.Image1->geometry().center()})
        QCOMPARE(shown.pixel(p), qRgb(10, 20, 30));
}

void WindowTest::aPictureTooLargeToCreateFailsTheFirstWrite()
{
    TForm1 form;
    form.Image1->resize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX); // more bytes than any address space holds
    try {
        form.draw();
        QFAIL("drawing went through");
    } catch (const std::runtime_error& error) {
        QCOMPARE(QString::fromUtf8(error.what()), QStringLiteral("システム リソースが足りません"));
    }
    QVERIFY(form.Image1->picture().isNull());
    // The first chain's colour reached the window before the write failed.
    QVERIFY(render::isPaletteIndex(form.color()));

    form.Image1->resize(800, 600);
    form.draw(); // the next drawing access tries again
    QCOMPARE(form.Image1->picture().size(), QSize(800, 600));
}

// Counts the paint events a widget receives, and gathers what they cover.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

void WindowTest::aWriteWhileShownReachesTheScreen()
{
    TForm1 form;
    form.surface().setPixel(10, 10, 0x000000FF);
    PaintCounter counter(form.Image1);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_VERIFY(counter.paints > 0); // the first showing's paint, over
    counter.paints = 0;
    form.surface().setPixel(20, 10, 0x00FF0000);
    QCOMPARE(form.Image1->picture().pixel(20, 10), qRgb(0, 0, 255));
    QTRY_VERIFY(counter.paints > 0);

    form.hide();
    form.surface().setPixel(30, 10, 0x0000FFFF);
    form.surface().setPixel(800, 10, 0);
    QCOMPARE(form.Image1->picture().pixel(30, 10), qRgb(255, 255, 0));
    QCOMPARE(form.Image1->picture().pixel(10, 10), qRgb(255, 0, 0));
}

// Requests to repaint gather until the event loop gets to them and are painted
// together: a one-pixel update after a change shows, in what is painted with
// it, whether the change asked for a repaint of its own.
void WindowTest::theSameBackgroundColourAgainRepaintsNothing()
{
    TForm1 form;
    form.setColor(5);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QWidget* client = form.widget();
    PaintCounter counter(client);
    const QRect marker(0, 0, 1, 1);
    client->update(marker);
    QTRY_VERIFY(counter.painted.contains(marker)); // nothing of the first showing is left to paint

    counter.painted = QRegion();
    form.setColor(5);
    client->update(marker);
    QTRY_VERIFY(counter.painted.contains(marker));
    QCOMPARE(counter.painted, QRegion(marker));

    counter.painted = QRegion();
    form.setColor(6);
    client->update(marker);
    QTRY_VERIFY(counter.painted.contains(marker));
    QCOMPARE(counter.painted.boundingRect(), client->visibleRegion().boundingRect());
}

void WindowTest::closingKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << true;
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
    QTest::newRow("c") << int(Qt::Key_C) << int(Qt::NoModifier) << true;
    QTest::newRow("Shift+C") << int(Qt::Key_C) << int(Qt::ShiftModifier) << true;
    QTest::newRow("Alt+C") << int(Qt::Key_C) << int(Qt::AltModifier) << true;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier) << false;
    QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << int(Qt::ShiftModifier) << false;
    QTest::newRow("Ctrl+Enter") << int(Qt::Key_Return) << int(Qt::ControlModifier) << false;
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier) << false;
    QTest::newRow("X") << int(Qt::Key_X) << int(Qt::NoModifier) << false;
}

void WindowTest::closingKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, closes);
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(form.BitBtn1, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(form.isVisible(), !closes);
}

void WindowTest::clickingTheButtonCloses()
{
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::mouseClick(form.Image1, Qt::LeftButton);
    QVERIFY(form.isVisible());
    QTest::mouseClick(form.BitBtn1, Qt::LeftButton);
    QVERIFY(!form.isVisible());
}

void WindowTest::scrollsInsteadOfShrinking()
{
    TForm1 form;
    form.FormCreate(&form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    form.resize(600, 500);
    QTRY_VERIFY(form.horizontalScrollBar()->isVisible());
    QVERIFY(form.verticalScrollBar()->isVisible());
    QCOMPARE(form.Image1->geometry(), QRect(30, 80, 800, 600));

    form.resize(1200, 900);
    QTRY_VERIFY(!form.horizontalScrollBar()->isVisible());
    QVERIFY(!form.verticalScrollBar()->isVisible());
    QCOMPARE(form.Image1->geometry(), QRect(30, 80, 800, 600));
    QCOMPARE(form.Image1->picture().size(), QSize(800, 600));
    const QImage shown = form.grab().toImage();
    QCOMPARE(shown.pixel(1150, 850), qRgb(int(form.color()), 0, 0));
}

void WindowTest::aControlMovedWhileShownChangesTheScrollExtent()
{
    TForm1 form;
    form.FormCreate(&form);
    form.show();
    // Settled, so that nothing but the move can bring the scroll bars up to date.
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCoreApplication::sendPostedEvents();
    QCOMPARE(form.horizontalScrollBar()->isVisible(), false);
    QVERIFY(form.viewport()->width() < 1000);

    form.BitBtn1->move(1000, form.BitBtn1->y());
    QTRY_VERIFY(form.horizontalScrollBar()->isVisible());
    QCOMPARE(form.horizontalScrollBar()->maximum(), 1000 + form.BitBtn1->width() - form.viewport()->width());

    form.BitBtn1->move(136, form.BitBtn1->y());
    QTRY_VERIFY(!form.horizontalScrollBar()->isVisible());
}

void WindowTest::theScrollExtentReachesTheControlsFarthestEdges_data()
{
    QTest::addColumn<QList<QRect>>("controls");
    QTest::addColumn<QList<QRect>>("hidden");
    QTest::addColumn<QSize>("extent");

    QTest::newRow("no controls, nothing to scroll") << QList<QRect>{} << QList<QRect>{} << QSize(0, 0);
    QTest::newRow("one control, to its right and bottom edges")
        << QList<QRect>{{30, 80, 800, 600}} << QList<QRect>{} << QSize(830, 680);
    QTest::newRow("two controls, to the farthest edge of either")
        << QList<QRect>{{30, 80, 800, 600}, {900, 16, 97, 41}} << QList<QRect>{} << QSize(997, 680);
    QTest::newRow("a hidden control takes no room")
        << QList<QRect>{{30, 80, 800, 600}} << QList<QRect>{{2000, 1000, 10, 10}} << QSize(830, 680);
    QTest::newRow("only hidden controls, nothing to scroll")
        << QList<QRect>{} << QList<QRect>{{2000, 1000, 10, 10}} << QSize(0, 0);
    QTest::newRow("a control wholly above and left of the corner, nothing to scroll")
        << QList<QRect>{{-50, -40, 20, 10}} << QList<QRect>{} << QSize(0, 0);
    QTest::newRow("a control reaching in past the corner, to its right and bottom edges")
        << QList<QRect>{{-10, -20, 50, 60}} << QList<QRect>{} << QSize(40, 40);
}

void WindowTest::theScrollExtentReachesTheControlsFarthestEdges()
{
    QFETCH(QList<QRect>, controls);
    QFETCH(QList<QRect>, hidden);
    QFETCH(QSize, extent);
    ClientArea client(colours::clBtnFace);
    for (const QRect& bounds : controls)
        (new QWidget(&client))->setGeometry(bounds);
    for (const QRect& bounds : hidden) {
        auto* control = new QWidget(&client);
        control->setGeometry(bounds);
        control->hide();
    }
    QCOMPARE(client.minimumSizeHint(), extent);
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
