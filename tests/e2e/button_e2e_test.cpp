// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace e2e {
namespace {

constexpr int glyphSide = 18;
constexpr int glyphSpacing = 4;
constexpr int focusInset = 4;
const QString glyphFile = QStringLiteral(STEREOGRAM_IMAGES "/bbclose.xpm");
// The window's icons by their side, as compiled in.
const std::map<int, QString> iconFiles{{16, QStringLiteral(STEREOGRAM_IMAGES "/mainicon16.xpm")},
                                       {32, QStringLiteral(STEREOGRAM_IMAGES "/mainicon.xpm")}};

QRgb opaque(QRgb colour)
{
    return colour | 0xFF000000u;
}

QImage buttonIn(const View& view, const QRect& bounds)
{
    return cut(view.screenshot, view.geometry.client.topLeft(), bounds);
}

std::set<QRgb> ring(const QImage& image, int inset)
{
    const QRect r = image.rect().adjusted(inset, inset, -inset, -inset);
    std::set<QRgb> colours;
    for (int x = r.left(); x <= r.right(); ++x) {
        colours.insert(opaque(image.pixel(x, r.top())));
        colours.insert(opaque(image.pixel(x, r.bottom())));
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
        colours.insert(opaque(image.pixel(r.left(), y)));
        colours.insert(opaque(image.pixel(r.right(), y)));
    }
    return colours;
}

// The glyph's first look as it shows on `face`.
QImage glyphOn(QRgb face)
{
    const QImage both = QImage(glyphFile).convertToFormat(QImage::Format_RGB32);
    const QRgb transparent = both.pixel(0, both.height() - 1);
    QImage up = both.copy(0, 0, glyphSide, glyphSide);
    for (int y = 0; y < glyphSide; ++y)
        for (int x = 0; x < glyphSide; ++x)
            up.setPixel(x, y, up.pixel(x, y) == transparent ? face : opaque(up.pixel(x, y)));
    return up;
}

// Where the glyph shows in the button, if it shows exactly once.
std::optional<QPoint> findGlyph(const QImage& button, QRgb face)
{
    const QImage glyph = glyphOn(face);
    const QImage shown = button.convertToFormat(QImage::Format_RGB32);
    std::vector<QPoint> found;
    for (int y = 0; y + glyphSide <= shown.height(); ++y)
        for (int x = 0; x + glyphSide <= shown.width(); ++x)
            if (shown.copy(x, y, glyphSide, glyphSide) == glyph)
                found.push_back(QPoint(x, y));
    if (found.size() != 1)
        return std::nullopt;
    return found.front();
}

// The face colour: just inside the bevel, halfway down the left edge.
QRgb faceOf(const QImage& button)
{
    return opaque(button.pixel(3, button.height() / 2));
}

using Button = Running;

TEST_F(Button, FirstShowsFocusedWithGlyphAndCaptionCentred)
{
    const QImage button = buttonIn(start.view, start.button);
    const QRgb face = faceOf(button);

    const std::set<QRgb> frame = ring(button, 0);
    ASSERT_EQ(frame.size(), 1u) << "the focus frame is one colour all round";
    EXPECT_NE(*frame.begin(), start.background);
    EXPECT_NE(*frame.begin(), face);
    EXPECT_EQ(ring(button, 3), std::set<QRgb>{face});

    // The dotted focus rectangle, every other pixel, in the caption's colour.
    const QRect focus = button.rect().adjusted(focusInset, focusInset, -focusInset, -focusInset);
    const QRgb dot = opaque(button.pixel(focus.topLeft()));
    EXPECT_NE(dot, face);
    for (int x = focus.left(); x <= focus.right(); ++x)
        for (const int y : {focus.top(), focus.bottom()})
            ASSERT_EQ(opaque(button.pixel(x, y)), (x + y) % 2 == 0 ? dot : face) << "at " << x << ", " << y;
    for (int y = focus.top(); y <= focus.bottom(); ++y)
        for (const int x : {focus.left(), focus.right()})
            ASSERT_EQ(opaque(button.pixel(x, y)), (x + y) % 2 == 0 ? dot : face) << "at " << x << ", " << y;

    const std::optional<QPoint> glyph = findGlyph(button, face);
    ASSERT_TRUE(glyph) << "the glyph, olive see-through, shows once";
    EXPECT_EQ(glyph->y(), (start.button.height() - glyphSide + 1) / 2);

    // The caption's ink, inside the focus rectangle and right of the glyph.
    int inkLeft = button.width();
    int inkRight = -1;
    int inkTop = button.height();
    int inkBottom = -1;
    bool captionInDotColour = false;
    for (int y = focus.top() + 1; y < focus.bottom(); ++y) {
        for (int x = glyph->x() + glyphSide; x < focus.right(); ++x) {
            const QRgb pixel = opaque(button.pixel(x, y));
            if (pixel == face)
                continue;
            inkLeft = std::min(inkLeft, x);
            inkRight = std::max(inkRight, x);
            inkTop = std::min(inkTop, y);
            inkBottom = std::max(inkBottom, y);
            captionInDotColour = captionInDotColour || pixel == dot;
        }
    }
    ASSERT_GE(inkRight, inkLeft) << "no caption";
    EXPECT_TRUE(captionInDotColour);
    EXPECT_GE(inkLeft - (glyph->x() + glyphSide), glyphSpacing);
    EXPECT_LE(inkLeft - (glyph->x() + glyphSide), glyphSpacing + 2) << "the caption keeps close to the glyph";
    const int leftMargin = glyph->x();
    const int rightMargin = button.width() - 1 - inkRight;
    EXPECT_LE(std::abs(leftMargin - rightMargin), 3) << leftMargin << " left, " << rightMargin << " right";
    const int above = inkTop;
    const int below = button.height() - 1 - inkBottom;
    EXPECT_LE(std::abs(above - below), 4) << above << " above, " << below << " below";

    for (int y = 0; y < button.height(); ++y)
        for (int x = 0; x < button.width(); ++x)
            ASSERT_NE(opaque(button.pixel(x, y)), qRgb(128, 128, 0)) << "olive at " << x << ", " << y;
}

TEST_F(Button, PressedShowsAFlatFaceWithTheContentsShifted)
{
    const QImage up = buttonIn(start.view, start.button);
    const QRgb face = faceOf(up);
    const std::optional<QPoint> upGlyph = findGlyph(up, face);
    ASSERT_TRUE(upGlyph);

    const QPoint centre = start.geometry().client.topLeft() + start.button.center();
    display->check(QStringLiteral("xdotool"),
                   {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(centre.x()),
                    QString::number(centre.y()), QStringLiteral("mousedown"), QStringLiteral("1")});
    const auto flat = [&](const View& view) {
        const QImage button = buttonIn(view, start.button);
        return ring(button, 1).size() == 1 && ring(button, 2) == std::set<QRgb>{face};
    };
    const View view = waitForView(*program, flat);
    const QImage pressed = buttonIn(view, start.button);
    ASSERT_TRUE(flat(view)) << "the button does not look pressed";
    EXPECT_EQ(ring(pressed, 0), ring(up, 0));
    EXPECT_NE(*ring(pressed, 1).begin(), face);
    EXPECT_EQ(findGlyph(pressed, face), *upGlyph + QPoint(1, 1));
    // Right of the glyph, inside the focus rectangle in both looks.
    const QRect focus = up.rect().adjusted(focusInset, focusInset, -focusInset, -focusInset);
    const QRect caption(QPoint(upGlyph->x() + glyphSide, focus.top() + 1),
                        QPoint(focus.right() - 2, focus.bottom() - 2));
    EXPECT_EQ(pressed.copy(caption.translated(1, 1)), up.copy(caption));

    // Let go off the button: nothing happens.
    const QPoint away = start.geometry().client.topLeft() + pictureBounds.center();
    display->check(QStringLiteral("xdotool"),
                   {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(away.x()),
                    QString::number(away.y()), QStringLiteral("mouseup"), QStringLiteral("1")});
    EXPECT_FALSE(program->waitForExit(1s));
    const View after =
        waitForView(*program, [&](const View& candidate) { return buttonIn(candidate, start.button) == up; });
    EXPECT_EQ(buttonIn(after, start.button), up);
}

TEST_F(Button, WindowCarriesTheProgramIcon)
{
    const std::optional<xquery::Property> carried = program->property("_NET_WM_ICON");
    ASSERT_TRUE(carried) << "no _NET_WM_ICON";
    ASSERT_EQ(carried->type, "CARDINAL");
    const std::vector<std::uint32_t>& values = carried->values;

    // Width, height, then the pixels row by row, for each icon in turn.
    std::vector<int> sides;
    std::map<int, std::vector<quint32>> icons;
    for (size_t at = 0; at < values.size();) {
        ASSERT_LE(at + 2, values.size()) << "icon " << sides.size() + 1 << " has no size";
        const int side = int(values[at]);
        ASSERT_EQ(values[at + 1], values[at]) << "icon " << sides.size() + 1 << " is not square";
        const size_t end = at + 2 + size_t(side) * size_t(side);
        ASSERT_LE(end, values.size()) << "icon " << sides.size() + 1 << " is cut short";
        sides.push_back(side);
        icons[side].assign(values.begin() + std::ptrdiff_t(at + 2), values.begin() + std::ptrdiff_t(end));
        at = end;
    }
    std::sort(sides.begin(), sides.end());
    ASSERT_EQ(sides, (std::vector<int>{16, 32}));

    for (const auto& [side, file] : iconFiles) {
        const QImage expected = QImage(file).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(expected.size(), QSize(side, side)) << file.toStdString();
        const std::vector<quint32>& icon = icons[side];
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                ASSERT_EQ(icon[size_t(y * side + x)], expected.pixel(x, y))
                    << side << " x " << side << " at " << x << ", " << y;
    }
}

// How far the view scrolled down from `before` to `after`, both images of the
// client area: the rows of `after` are those of `before` that many rows lower,
// left and right unmoved. Nothing when no such shift makes them match.
std::optional<int> scrolledDownBy(const QImage& before, const QImage& after)
{
    // Clear of the scroll bars at the right and bottom edges.
    constexpr int barRoom = 24;
    const int width = before.width() - barRoom;
    const int height = before.height() - barRoom;
    for (int shift = 1; shift < height / 2; ++shift) {
        bool same = true;
        for (int y = 0; same && y + shift < height; ++y)
            for (int x = 0; same && x < width; ++x)
                same = after.pixel(x, y) == before.pixel(x, y + shift);
        if (same)
            return shift;
    }
    return std::nullopt;
}

TEST_F(Button, OtherKeysLeaveASmallWindowsViewWhereItWas)
{
    const QSize small(600, 500);
    program->display().check(QStringLiteral("wmctrl"),
                             {QStringLiteral("-i"), QStringLiteral("-r"), program->window(), QStringLiteral("-e"),
                              QStringLiteral("0,-1,-1,%1,%2").arg(small.width()).arg(small.height())});
    const auto clientImage = [](const View& view) {
        return cut(view.screenshot, view.geometry.client.topLeft(), QRect(QPoint(0, 0), view.geometry.client.size()));
    };
    const View before = waitForView(*program, [&](const View& view) {
        return view.geometry.client.size() == small
            && scrollBarsShown(view.screenshot, view.geometry.client, start.background);
    });
    ASSERT_EQ(before.geometry.client.size(), small);
    const QImage seen = clientImage(before);

    // The mouse wheel over the window scrolls it, by a step learnt here and
    // then taken back.
    const QPoint over = before.geometry.client.topLeft() + QPoint(300, 250);
    display->check(
        QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(over.x()), QString::number(over.y())});
    const auto wheel = [&](const char* button) {
        display->check(QStringLiteral("xdotool"), {QStringLiteral("click"), QString::fromLatin1(button)});
    };
    constexpr const char* wheelDown = "5";
    constexpr const char* wheelUp = "4";
    wheel(wheelDown);
    const View stepped = waitForView(*program, [&](const View& view) { return clientImage(view) != seen; });
    const std::optional<int> step = scrolledDownBy(seen, clientImage(stepped));
    ASSERT_TRUE(step.has_value()) << "the wheel did not scroll the view down";
    wheel(wheelUp);
    ASSERT_TRUE(clientImage(waitForView(*program, [&](const View& view) { return clientImage(view) == seen; })) == seen)
        << "the wheel did not bring the view back";

    // Keys that scroll a view elsewhere, then the wheel: the program handles
    // its input in order, so once the wheel's step shows, the keys have been
    // handled, and only the wheel has moved the view.
    for (const char* keys : {"Next", "Down", "Right", "End", "Tab", "Escape"})
        program->type(QString::fromLatin1(keys));
    wheel(wheelDown);
    const View after = waitForView(*program, [&](const View& view) { return clientImage(view) != seen; });
    EXPECT_EQ(scrolledDownBy(seen, clientImage(after)), step) << "a key moved the view";
    EXPECT_TRUE(program->running());
}

} // namespace
} // namespace e2e
