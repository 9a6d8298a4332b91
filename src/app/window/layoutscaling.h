// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QRect>

// The layout is designed for 120 pixels per inch and a text height of 15
// pixels. On another screen the window's font follows the screen's
// resolution, and the controls follow the text height measured in that font.
namespace layoutscaling {

inline constexpr int designPixelsPerInch = 120;
inline constexpr int designTextHeight = 15;

// numerator / denominator to the nearest integer, halves away from zero.
int roundedQuotient(long long numerator, long long denominator);

// The window font's pixel height on a screen of `pixelsPerInch`.
int fontPixelHeight(int pixelsPerInch);

// A control's bounds as loaded, scaled for `textHeight`: its left and top
// edges, and its right and bottom edges, each scaled and rounded on its own.
QRect scaledBounds(const QRect& loaded, int textHeight);

} // namespace layoutscaling
