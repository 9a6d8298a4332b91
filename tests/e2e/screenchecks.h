// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "buttonplace.h"

#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <string>

// What the window should look like on a screenshot. Rectangles in the client
// area are relative to its top-left corner.
namespace e2e {

inline constexpr QRect pictureBounds(30, 80, 800, 600);
inline constexpr QRect expectedFrame(192, 120, 873, 735);

// The smallest rectangle holding everything that is not `background` in the
// client area above the picture: the button, where it ends above row 80.
QRect buttonOnScreen(const QImage& shot, const QRect& client, QRgb background);

// "(x, y) wxh", for failure messages.
std::string describe(const QRect& rect);

// The part of `shot` under `area`, `area` taken relative to `origin`.
QImage cut(const QImage& shot, QPoint origin, const QRect& area);

// Every pixel is one of the eight dot colours.
testing::AssertionResult allPaletteColours(const QImage& picture);
// Rows 0-133 and 505-599 repeat with period 120 from column 120 on.
testing::AssertionResult repeatsEvery120(const QImage& picture);
// The hidden emblem reads back from the dots.
testing::AssertionResult emblemReadsBack(const QImage& picture);
testing::AssertionResult samePixels(const QImage& expected, const QImage& actual);

// RGB(k, 0, 0) with k in 1..8.
testing::AssertionResult isNearBlackRed(QRgb colour);
// Everything in the client area outside the picture and the button is `background`.
testing::AssertionResult backgroundAround(const QImage& shot, const QRect& client, QRgb background,
                                          const QRect& button);
// Something other than `background` is painted along each edge of the button's bounds.
testing::AssertionResult buttonFillsItsBounds(const QImage& shot, const QRect& client, QRgb background,
                                              const QRect& button);
// Scroll bars along the right and the bottom edge of the client area, beside
// the controls where there would otherwise be background.
testing::AssertionResult scrollBarsShown(const QImage& shot, const QRect& client, QRgb background);

} // namespace e2e
