// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "screenchecks.h"

#include "emblemdecoder.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace e2e {

namespace {

constexpr std::array<QRgb, 8> dotColours{
    qRgb(0, 0, 0),     qRgb(0, 0, 255), qRgb(0, 128, 0),     qRgb(0, 0, 128),
    qRgb(128, 0, 128), qRgb(255, 0, 0), qRgb(255, 255, 255), qRgb(255, 255, 0),
};

// Concatenates its arguments' printed forms.
template <typename... Parts>
std::string join(const Parts&... parts)
{
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

std::string rgb(QRgb colour)
{
    return join("RGB(", qRed(colour), ',', qGreen(colour), ',', qBlue(colour), ')');
}

std::string point(int x, int y)
{
    return join('(', x, ", ", y, ')');
}

QRgb at(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}

struct Region {
    const char* name;
    QRect area; // in the client area
};

} // namespace

std::string describe(const QRect& rect)
{
    std::ostringstream out;
    out << '(' << rect.x() << ", " << rect.y() << ") " << rect.width() << 'x' << rect.height();
    return out.str();
}

QImage cut(const QImage& shot, QPoint origin, const QRect& area)
{
    return shot.copy(area.translated(origin));
}

testing::AssertionResult allPaletteColours(const QImage& picture)
{
    long strays = 0;
    std::string first;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb colour = at(picture, x, y);
            if (std::find(dotColours.begin(), dotColours.end(), colour) != dotColours.end())
                continue;
            if (strays++ == 0)
                first = join(rgb(colour), " at ", point(x, y));
        }
    }
    if (strays == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << strays << " picture pixels are not dot colours, the first " << first;
}

testing::AssertionResult repeatsEvery120(const QImage& picture)
{
    long breaks = 0;
    std::string first;
    for (int y = 0; y < picture.height(); ++y) {
        if (y > 133 && y < 505)
            continue;
        for (int x = 120; x < picture.width(); ++x) {
            if (at(picture, x, y) == at(picture, x - 120, y))
                continue;
            if (breaks++ == 0)
                first = join(point(x, y), " is ", rgb(at(picture, x, y)), " but ", point(x - 120, y), " is ",
                             rgb(at(picture, x - 120, y)));
        }
    }
    if (breaks == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << breaks << " pixels in rows 0-133 and 505-599 break the 120-column repeat; "
                                       << first;
}

testing::AssertionResult emblemReadsBack(const QImage& picture)
{
    if (picture.size() != QSize(800, 600))
        return testing::AssertionFailure() << "the picture is " << picture.width() << "x" << picture.height();
    const EmblemReading reading = readEmblem([&](int x, int y) { return at(picture, x, y); });
    testing::AssertionResult result = reading.readsBack() ? testing::AssertionSuccess() : testing::AssertionFailure();
    return result << reading.summary();
}

testing::AssertionResult samePixels(const QImage& expected, const QImage& actual)
{
    if (expected.size() != actual.size())
        return testing::AssertionFailure() << "sizes differ: " << expected.width() << "x" << expected.height()
                                           << " and " << actual.width() << "x" << actual.height();
    long differences = 0;
    std::string first;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (at(expected, x, y) == at(actual, x, y))
                continue;
            if (differences++ == 0)
                first = join(point(x, y), " was ", rgb(at(expected, x, y)), ", is ", rgb(at(actual, x, y)));
        }
    }
    if (differences == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << differences << " of " << long(expected.width()) * expected.height()
                                       << " pixels differ, the first " << first;
}

testing::AssertionResult isNearBlackRed(QRgb colour)
{
    if (qGreen(colour) == 0 && qBlue(colour) == 0 && qRed(colour) >= 1 && qRed(colour) <= 8)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << rgb(colour) << " is not RGB(k,0,0) with k in 1..8";
}

QRect buttonOnScreen(const QImage& shot, const QRect& client, QRgb background)
{
    QRect found;
    for (int y = 0; y < std::min(pictureBounds.top(), client.height()); ++y) {
        for (int x = 0; x < client.width(); ++x) {
            if (at(shot, client.x() + x, client.y() + y) != background)
                found = found.united(QRect(x, y, 1, 1));
        }
    }
    return found;
}

testing::AssertionResult backgroundAround(const QImage& shot, const QRect& client, QRgb background, const QRect& button)
{
    const int w = client.width();
    const int h = client.height();
    const QRect b = button;
    const int belowButton = b.bottom() + 1;
    const std::vector<Region> regions{
        {"above the button", QRect(0, 0, w, b.top())},
        {"left of the button", QRect(0, b.top(), b.left(), b.height())},
        {"right of the button", QRect(b.right() + 1, b.top(), w - b.right() - 1, b.height())},
        {"between the button and the picture", QRect(0, belowButton, w, pictureBounds.top() - belowButton)},
        {"left of the picture", QRect(0, 80, 30, 600)},
        {"right of the picture", QRect(830, 80, w - 830, 600)},
        {"below the picture", QRect(0, 680, w, h - 680)},
    };
    std::string wrong;
    for (const Region& region : regions) {
        const QRect area = region.area.intersected(QRect(0, 0, w, h));
        long others = 0;
        std::string first;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb colour = at(shot, client.x() + x, client.y() + y);
                if (colour != background && others++ == 0)
                    first = join(rgb(colour), " at client ", point(x, y));
            }
        }
        if (others != 0)
            wrong += join("; ", region.name, ": ", others, " pixels, the first ", first);
    }
    if (wrong.empty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "not the background " << rgb(background) << wrong;
}

testing::AssertionResult buttonFillsItsBounds(const QImage& shot, const QRect& client, QRgb background,
                                              const QRect& bounds)
{
    const QRect button = bounds.translated(client.topLeft());
    const QPoint middle = button.center();
    const std::vector<std::pair<const char*, QPoint>> edges{
        {"top", QPoint(middle.x(), button.top())},
        {"bottom", QPoint(middle.x(), button.bottom())},
        {"left", QPoint(button.left(), middle.y())},
        {"right", QPoint(button.right(), middle.y())},
    };
    std::string bare;
    for (const auto& [name, point] : edges) {
        if (at(shot, point.x(), point.y()) == background)
            bare += join(' ', name);
    }
    if (bare.empty())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "only background in the middle of the button's edge(s):" << bare;
}

testing::AssertionResult scrollBarsShown(const QImage& shot, const QRect& client, QRgb background)
{
    // Beside the controls there would be background without scroll bars.
    bool right = false;
    for (int y = 0; y < pictureBounds.top(); ++y)
        right = right || at(shot, client.right(), client.top() + y) != background;
    bool bottom = false;
    for (int x = 0; x < pictureBounds.left(); ++x)
        bottom = bottom || at(shot, client.left() + x, client.bottom()) != background;
    if (right && bottom)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "no scroll bar along the" << (right ? "" : " right")
                                       << (bottom ? "" : " bottom") << " edge of the client area";
}

} // namespace e2e
