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

// The close button and the window's icon as a real X server and window
// manager show them. The button's looks, the dotted focus rectangle, the
// glyph and caption centred together, the pressed and greyed faces, are the
// widget tables' (tests/button_test.cpp), and so are the keys that leave the
// view where it is and the icons' pictures. Here: the window manager
// activates the new window, so the button shows the keyboard focus from the
// first display; a real press and a release off the button leave the program
// running; X carries the icons in _NET_WM_ICON; and the real mouse wheel
// scrolls a window too small for its controls.
namespace e2e {
namespace {

constexpr int glyphSide = 18;
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

TEST_F(Button, FirstShowsTheKeyboardFocus)
{
    const QImage button = buttonIn(start.view, start.button);
    const QRgb face = faceOf(button);
    // Only a focused button has a frame of one colour around its bevel.
    const std::set<QRgb> frame = ring(button, 0);
    EXPECT_EQ(frame.size(), 1u) << "the focus frame is one colour all round";
    EXPECT_NE(*frame.begin(), start.background);
    EXPECT_NE(*frame.begin(), face);
    EXPECT_TRUE(findGlyph(button, face)) << "the glyph, olive see-through, shows once";
}

TEST_F(Button, APressLetGoOffTheButtonLeavesTheProgramRunning)
{
    const QImage up = buttonIn(start.view, start.button);
    const QPoint centre = start.geometry().client.topLeft() + start.button.center();
    display->check(QStringLiteral("xdotool"),
                   {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(centre.x()),
                    QString::number(centre.y()), QStringLiteral("mousedown"), QStringLiteral("1")});
    const auto pressed = [&](const View& view) { return buttonIn(view, start.button) != up; };
    ASSERT_TRUE(pressed(waitForView(*program, pressed))) << "the button does not look pressed";

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

TEST_F(Button, TheWheelScrollsASmallWindowsView)
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

    // Over the picture, which passes the wheel on to the window.
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
    EXPECT_TRUE(step.has_value()) << "the wheel did not scroll the view down";
    wheel(wheelUp);
    EXPECT_TRUE(clientImage(waitForView(*program, [&](const View& view) { return clientImage(view) == seen; })) == seen)
        << "the wheel did not bring the view back";
}

} // namespace
} // namespace e2e
