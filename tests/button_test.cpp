// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/window/closebutton.h"
#include "app/window/images.h"
#include "app/window/tform1.h"
#include "app/window/windowfont.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>

#include <memory>
#include <set>

namespace {

constexpr int glyphSide = CloseButton::glyphSide;
const QSize buttonSize(97, 41);

// Every colour the button may use told apart from every other.
const QColor face(200, 190, 180);
const QColor windowText(10, 20, 30);
const QColor light(250, 245, 240);
const QColor midlight(225, 220, 215);
const QColor dark(120, 110, 100);
const QColor shadow(60, 50, 40);
const QColor buttonText(0, 0, 250);

QPalette distinctPalette()
{
    QPalette palette;
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::WindowText, windowText);
    palette.setColor(QPalette::Light, light);
    palette.setColor(QPalette::Midlight, midlight);
    palette.setColor(QPalette::Dark, dark);
    palette.setColor(QPalette::Shadow, shadow);
    palette.setColor(QPalette::Mid, QColor(1, 2, 3));
    palette.setColor(QPalette::ButtonText, buttonText);
    palette.setColor(QPalette::Text, buttonText);
    palette.setColor(QPalette::Window, QColor(4, 5, 6));
    palette.setColor(QPalette::Base, QColor(7, 8, 9));
    return palette;
}

QImage look(QWidget& button)
{
    return button.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb rgb(const QColor& colour)
{
    return colour.rgb();
}

// One of the glyph's two looks as the button should show it on `background`.
QImage glyph(int half, const QColor& background)
{
    const QImage both = images::closeGlyph().convertToFormat(QImage::Format_RGB32);
    const QRgb transparent = both.pixel(0, both.height() - 1);
    QImage one = both.copy(half * glyphSide, 0, glyphSide, glyphSide);
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x)
            if (one.pixel(x, y) == transparent)
                one.setPixel(x, y, rgb(background));
    return one;
}

std::set<QRgb> coloursIn(const QImage& image, const QRect& area)
{
    std::set<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

// The colours of the ring of pixels `inset` pixels inside the image's edge.
std::set<QRgb> ring(const QImage& image, int inset)
{
    const QRect r = image.rect().adjusted(inset, inset, -inset, -inset);
    std::set<QRgb> colours;
    for (int x = r.left(); x <= r.right(); ++x) {
        colours.insert(image.pixel(x, r.top()));
        colours.insert(image.pixel(x, r.bottom()));
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
        colours.insert(image.pixel(r.left(), y));
        colours.insert(image.pixel(r.right(), y));
    }
    return colours;
}

std::set<QRgb> only(const QColor& colour)
{
    return {rgb(colour)};
}

// The raised edge of an unfocused button of that size, set pixel by pixel: two
// rings, each light along the top and left and dark along the bottom and
// right, where the dark takes both the bottom-left and the top-right corner.
QImage raisedEdge(const QSize& size)
{
    QImage edge(size, QImage::Format_RGB32);
    edge.fill(face);
    const QColor lights[] = {light, midlight};
    const QColor darks[] = {shadow, dark};
    for (int inset = 0; inset < 2; ++inset) {
        const QRect r = edge.rect().adjusted(inset, inset, -inset, -inset);
        for (int x = r.left(); x <= r.right(); ++x) {
            edge.setPixel(x, r.top(), rgb(x < r.right() ? lights[inset] : darks[inset]));
            edge.setPixel(x, r.bottom(), rgb(darks[inset]));
        }
        for (int y = r.top(); y <= r.bottom(); ++y) {
            edge.setPixel(r.left(), y, rgb(y < r.bottom() ? lights[inset] : darks[inset]));
            edge.setPixel(r.right(), y, rgb(darks[inset]));
        }
    }
    return edge;
}

// A button with room for its glyph and caption inside the focus rectangle and
// a pixel to spare, so that the look tests see each part of the look apart,
// whatever the face's widths. (In the laid-out button the caption may reach
// the focus rectangle: at 97 × 41, a 15-pixel caption up to 65 pixels wide
// stays inside it.)
QSize roomFor(const QFont& font)
{
    constexpr int spare = 6; // the focus rectangle's inset, its line and a pixel
    const QFontMetrics metrics(font);
    return QSize(glyphSide + 4 + metrics.horizontalAdvance(QStringLiteral("閉じる(C)")) + 2 * spare,
                 std::max(glyphSide, metrics.height()) + 2 * spare);
}

// The button in a shown window, as a user first sees it: it has the focus.
struct ShownWindow {
    ShownWindow()
    {
        form.BitBtn1->setPalette(distinctPalette());
        form.BitBtn1->resize(roomFor(form.BitBtn1->font()));
        form.show();
    }
    TForm1 form;
};

} // namespace

class ButtonTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void glyphAndCaptionAreCentredTogether_data();
    void glyphAndCaptionAreCentredTogether();
    void upLookIsARaisedFaceWithGlyphAndCaption();
    void focusedLookFromTheFirstDisplay();
    void pressedLookIsFlatWithTheContentsShifted();
    void disabledLookShowsTheGreyedGlyph();
    void looksTheSameUnderEveryStyle();
    void otherKeysLeaveTheViewWhereItWas_data();
    void otherKeysLeaveTheViewWhereItWas();
    void theWheelStillScrolls();
    void controlsSayWhatTheyAre();
    void glyphShowsADoorwayWithALamp();
    void iconsAreDrawnForTheirSizes_data();
    void iconsAreDrawnForTheirSizes();
};

void ButtonTest::glyphAndCaptionAreCentredTogether_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("fontPixels");
    QTest::newRow("as laid out") << buttonSize << 15;
    QTest::newRow("scaled down for a 96 dpi screen") << QSize(77, 33) << 12;
    QTest::newRow("scaled up for large text") << QSize(142, 60) << 22;
    QTest::newRow("odd leftover space") << QSize(98, 42) << 15;
    QTest::newRow("narrower than its contents") << QSize(50, 16) << 15;
}

void ButtonTest::glyphAndCaptionAreCentredTogether()
{
    QFETCH(QSize, size);
    QFETCH(int, fontPixels);
    CloseButton button;
    button.setFont(windowFont(fontPixels));
    button.resize(size);

    const QRect glyphAt = button.glyphRect();
    const QRect captionAt = button.captionRect();
    const QFontMetrics metrics(button.font());
    QCOMPARE(glyphAt.size(), QSize(glyphSide, glyphSide));
    QCOMPARE(captionAt.size(), QSize(metrics.horizontalAdvance(QStringLiteral("閉じる(C)")), metrics.height()));
    QCOMPARE(captionAt.left() - glyphAt.right() - 1, 4);

    const int leftMargin = glyphAt.left();
    const int rightMargin = size.width() - 1 - captionAt.right();
    QVERIFY2(leftMargin - rightMargin == 0 || leftMargin - rightMargin == 1,
             qPrintable(QStringLiteral("margins %1 and %2").arg(leftMargin).arg(rightMargin)));
    for (const QRect& part : {glyphAt, captionAt}) {
        const int above = part.top();
        const int below = size.height() - 1 - part.bottom();
        QVERIFY2(above - below == 0 || above - below == 1,
                 qPrintable(QStringLiteral("%1 above, %2 below").arg(above).arg(below)));
    }
}

void ButtonTest::upLookIsARaisedFaceWithGlyphAndCaption()
{
    CloseButton button;
    button.setFont(windowFont(15));
    button.setPalette(distinctPalette());
    const QSize size = roomFor(button.font());
    button.resize(size);
    QVERIFY(!button.hasFocus());
    const QImage shown = look(button);
    const int right = size.width() - 1;
    const int bottom = size.height() - 1;

    QCOMPARE(shown.pixel(0, 0), rgb(light));
    QCOMPARE(shown.pixel(right - 1, 0), rgb(light));
    QCOMPARE(shown.pixel(right, 0), rgb(shadow));
    QCOMPARE(shown.pixel(0, bottom), rgb(shadow));
    QCOMPARE(shown.pixel(right, bottom), rgb(shadow));
    QCOMPARE(shown.pixel(1, 1), rgb(midlight));
    QCOMPARE(shown.pixel(right - 1, bottom - 1), rgb(dark));
    QCOMPARE(ring(shown, 2), only(face));
    QCOMPARE(ring(shown, 4), only(face)); // no focus rectangle
    const QImage edge = raisedEdge(size);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            if (std::min({x, y, right - x, bottom - y}) < 2)
                QVERIFY2(shown.pixel(x, y) == edge.pixel(x, y), qPrintable(QStringLiteral("at %1, %2").arg(x).arg(y)));
        }
    }

    QCOMPARE(shown.copy(button.glyphRect()), glyph(0, face));
    const std::set<QRgb> caption = coloursIn(shown, button.captionRect());
    QVERIFY(caption.count(rgb(windowText)) == 1); // the underline at least is solid
    QVERIFY(caption.count(rgb(buttonText)) == 0);

    // Nothing else is drawn on the face.
    QImage rest = shown.copy(2, 2, size.width() - 4, size.height() - 4);
    QPainter cover(&rest);
    cover.fillRect(button.glyphRect().translated(-2, -2), face);
    // The caption's ink may stand a pixel above its line's ascent.
    const QFontMetrics metrics(button.font());
    const QRect ink = metrics.boundingRect(QStringLiteral("閉じる(C)"))
                          .translated(button.captionRect().left(), button.captionRect().top() + metrics.ascent());
    cover.fillRect(button.captionRect().united(ink).translated(-2, -2), face);
    cover.end();
    QCOMPARE(coloursIn(rest, rest.rect()), only(face));
}

void ButtonTest::focusedLookFromTheFirstDisplay()
{
    ShownWindow window;
    CloseButton& button = *window.form.BitBtn1;
    QVERIFY(QTest::qWaitForWindowActive(&window.form));
    QVERIFY(button.hasFocus()); // no key pressed
    const QImage shown = look(button);
    const QRect r = button.rect();

    QCOMPARE(ring(shown, 0), only(windowText));
    QCOMPARE(shown.pixel(1, 1), rgb(light));
    QCOMPARE(shown.pixel(r.right() - 1, r.bottom() - 1), rgb(shadow));
    QCOMPARE(shown.pixel(2, 2), rgb(midlight));
    QCOMPARE(ring(shown, 3), only(face));

    // A dotted rectangle 4 pixels inside the edges, every other pixel.
    const QRect focus = r.adjusted(4, 4, -4, -4);
    for (int x = focus.left(); x <= focus.right(); ++x) {
        for (const int y : {focus.top(), focus.bottom()}) {
            const QRgb expected = (x + y) % 2 == 0 ? rgb(windowText) : rgb(face);
            QVERIFY2(shown.pixel(x, y) == expected, qPrintable(QStringLiteral("at %1, %2").arg(x).arg(y)));
        }
    }
    for (int y = focus.top(); y <= focus.bottom(); ++y) {
        for (const int x : {focus.left(), focus.right()}) {
            const QRgb expected = (x + y) % 2 == 0 ? rgb(windowText) : rgb(face);
            QVERIFY2(shown.pixel(x, y) == expected, qPrintable(QStringLiteral("at %1, %2").arg(x).arg(y)));
        }
    }
    QCOMPARE(ring(shown, 5), only(face));
    QCOMPARE(shown.copy(button.glyphRect()), glyph(0, face));
}

void ButtonTest::pressedLookIsFlatWithTheContentsShifted()
{
    ShownWindow window;
    CloseButton& button = *window.form.BitBtn1;
    QVERIFY(QTest::qWaitForWindowActive(&window.form));
    const QImage up = look(button);
    const QRect upGlyph = button.glyphRect();
    const QRect upCaption = button.captionRect();

    QTest::mousePress(&button, Qt::LeftButton);
    QVERIFY(button.isDown());
    const QImage pressed = look(button);
    QCOMPARE(ring(pressed, 0), only(windowText));
    QCOMPARE(ring(pressed, 1), only(dark));
    QCOMPARE(ring(pressed, 2), only(face));
    QCOMPARE(button.glyphRect(), upGlyph.translated(1, 1));
    QCOMPARE(pressed.copy(upGlyph.translated(1, 1)), glyph(0, face));
    QCOMPARE(pressed.copy(upCaption.translated(1, 1)), up.copy(upCaption));

    // Let go off the button: it comes up again without closing the window.
    QTest::mouseMove(&button, QPoint(-20, -20));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(-20, -20));
    QVERIFY(!button.isDown());
    QVERIFY(window.form.isVisible());
    QCOMPARE(look(button), up);
}

void ButtonTest::disabledLookShowsTheGreyedGlyph()
{
    CloseButton button;
    button.setFont(windowFont(15));
    button.setPalette(distinctPalette());
    button.resize(buttonSize);
    button.setEnabled(false);
    const QImage shown = look(button);
    QCOMPARE(shown.copy(button.glyphRect()), glyph(1, face));
    const std::set<QRgb> caption = coloursIn(shown, button.captionRect().adjusted(0, 0, 1, 1));
    QVERIFY(caption.count(rgb(dark)) == 1);
    QVERIFY(caption.count(rgb(light)) == 1);
    QVERIFY(caption.count(rgb(windowText)) == 0);
}

void ButtonTest::looksTheSameUnderEveryStyle()
{
    const QStringList styles = QStyleFactory::keys();
    QVERIFY(styles.size() >= 2);
    CloseButton button;
    button.setFont(windowFont(15));
    button.setPalette(distinctPalette());
    button.resize(buttonSize);
    QImage first;
    for (const QString& name : styles) {
        std::unique_ptr<QStyle> style(QStyleFactory::create(name));
        button.setStyle(style.get());
        const QImage shown = look(button);
        if (first.isNull())
            first = shown;
        QVERIFY2(shown == first, qPrintable(name));
        button.setStyle(nullptr);
    }
}

void ButtonTest::otherKeysLeaveTheViewWhereItWas_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << int(Qt::NoModifier);
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << int(Qt::NoModifier);
    QTest::newRow("Down") << int(Qt::Key_Down) << int(Qt::NoModifier);
    QTest::newRow("Up") << int(Qt::Key_Up) << int(Qt::NoModifier);
    QTest::newRow("Left") << int(Qt::Key_Left) << int(Qt::NoModifier);
    QTest::newRow("Right") << int(Qt::Key_Right) << int(Qt::NoModifier);
    QTest::newRow("Home") << int(Qt::Key_Home) << int(Qt::NoModifier);
    QTest::newRow("End") << int(Qt::Key_End) << int(Qt::NoModifier);
    QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier);
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Page Down") << int(Qt::Key_PageDown) << int(Qt::ControlModifier);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier);
}

void ButtonTest::otherKeysLeaveTheViewWhereItWas()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.resize(400, 300);
    QTRY_VERIFY(form.verticalScrollBar()->maximum() > 200 && form.horizontalScrollBar()->maximum() > 200);
    // Scrolled away from the button, which still has the focus.
    form.horizontalScrollBar()->setValue(150);
    form.verticalScrollBar()->setValue(120);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(QApplication::focusWidget(), form.BitBtn1);
    QCOMPARE(form.horizontalScrollBar()->value(), 150);
    QCOMPARE(form.verticalScrollBar()->value(), 120);
    QVERIFY(form.isVisible());
}

void ButtonTest::theWheelStillScrolls()
{
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.resize(400, 300);
    QTRY_VERIFY(form.verticalScrollBar()->maximum() > 200);
    const QPoint over = form.BitBtn1->rect().center();
    const auto wheel = [&] {
        return QWheelEvent(over, form.BitBtn1->mapToGlobal(over), QPoint(), QPoint(0, -120), Qt::NoButton,
                           Qt::NoModifier, Qt::NoScrollPhase, false);
    };
    // The button lets it pass, on to the window (a real wheel event goes on
    // to the parents; one sent from here would stop at the button).
    QWheelEvent atButton = wheel();
    QApplication::sendEvent(form.BitBtn1, &atButton);
    QVERIFY(!atButton.isAccepted());
    QCOMPARE(form.verticalScrollBar()->value(), 0);
    QWheelEvent atWindow = wheel();
    QApplication::sendEvent(form.viewport(), &atWindow);
    QVERIFY(form.verticalScrollBar()->value() > 0);
}

void ButtonTest::controlsSayWhatTheyAre()
{
    TForm1 form;
    for (QWidget* control : {static_cast<QWidget*>(form.BitBtn1), static_cast<QWidget*>(form.Image1)}) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY(accessible);
        const QString name = accessible->text(QAccessible::Name);
        const QString description = accessible->text(QAccessible::Description);
        QVERIFY2(!name.isEmpty() && !description.isEmpty(), control->metaObject()->className());
        QVERIFY(description.length() > name.length());
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(form.BitBtn1)->text(QAccessible::Name), QStringLiteral("閉じる"));
    const QString picture = QAccessible::queryAccessibleInterface(form.Image1)->text(QAccessible::Description);
    QVERIFY(picture.contains(QStringLiteral("浮かび上が")));
}

void ButtonTest::glyphShowsADoorwayWithALamp()
{
    const QImage both = images::closeGlyph();
    QCOMPARE(both.size(), QSize(2 * glyphSide, glyphSide));
    QVERIFY(coloursIn(both.convertToFormat(QImage::Format_RGB32), both.rect()).size() <= 16);
    const QRgb olive = qRgb(128, 128, 0);
    QCOMPARE(both.pixel(0, glyphSide - 1) | 0xFF000000u, olive);

    const QImage up = both.copy(0, 0, glyphSide, glyphSide).convertToFormat(QImage::Format_RGB32);
    const QRgb navy = qRgb(0, 0, 128);
    // The frame: both jambs and the lintel.
    QCOMPARE(coloursIn(up, QRect(1, 4, 2, 14)), std::set<QRgb>{navy});
    QCOMPARE(coloursIn(up, QRect(10, 4, 2, 14)), std::set<QRgb>{navy});
    QCOMPARE(coloursIn(up, QRect(1, 4, 11, 2)), std::set<QRgb>{navy});
    // The opening: cyan and white checks.
    const QRect opening(3, 6, 7, 12);
    for (int y = opening.top(); y <= opening.bottom(); ++y)
        for (int x = opening.left(); x <= opening.right(); ++x)
            QCOMPARE(up.pixel(x, y), (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 255, 255));
    // The door beside it, in magenta checks.
    const std::set<QRgb> door = coloursIn(up, QRect(13, 8, 3, 10));
    QCOMPARE(door, (std::set<QRgb>{qRgb(255, 0, 255), qRgb(128, 0, 128)}));
    QVERIFY(up.pixel(13, 10) != up.pixel(14, 10) && up.pixel(13, 10) != up.pixel(13, 11));
    // A green lamp above the doorway.
    QVERIFY(coloursIn(up, QRect(1, 0, 11, 4)).count(qRgb(0, 255, 0)) == 1);
    QVERIFY(coloursIn(up, QRect(0, 4, glyphSide, glyphSide - 4)).count(qRgb(0, 255, 0)) == 0);

    // The greyed look: greys and white only, its outline where the colours' was.
    const QImage greyed = both.copy(glyphSide, 0, glyphSide, glyphSide).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(coloursIn(greyed, greyed.rect()), (std::set<QRgb>{olive, qRgb(128, 128, 128), qRgb(255, 255, 255)}));
    QCOMPARE(greyed.pixel(1, 10), qRgb(128, 128, 128));
    QCOMPARE(greyed.pixel(5, 10), olive); // the opening is see-through
}

void ButtonTest::iconsAreDrawnForTheirSizes_data()
{
    QTest::addColumn<QImage>("icon");
    QTest::addColumn<int>("side");
    QTest::newRow("MAINICON") << images::mainIcon() << 32;
    QTest::newRow("small") << images::smallIcon() << 16;
}

void ButtonTest::iconsAreDrawnForTheirSizes()
{
    QFETCH(QImage, icon);
    QFETCH(int, side);
    QCOMPARE(icon.size(), QSize(side, side));
    const QImage argb = icon.convertToFormat(QImage::Format_ARGB32);
    QVERIFY(coloursIn(argb, argb.rect()).size() <= 16);

    // The emblem alone on a transparent ground, filling the square but for a thin margin.
    QRect drawn;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            if (qAlpha(argb.pixel(x, y)) != 0)
                drawn |= QRect(x, y, 1, 1);
    const QRect r = argb.rect();
    for (const QPoint& corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
        QCOMPARE(qAlpha(argb.pixel(corner)), 0);
    QVERIFY2(drawn.width() >= side - side / 8 && drawn.height() >= side - side / 8,
             qPrintable(QStringLiteral("drawn within %1 x %2").arg(drawn.width()).arg(drawn.height())));
}

QTEST_MAIN(ButtonTest)
#include "button_test.moc"
