// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/window/layoutscaling.h"

namespace layoutscaling {

int roundedQuotient(long long numerator, long long denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const long long half = denominator / 2;
    const bool exactHalf = denominator % 2 == 0;
    const long long magnitude = numerator < 0 ? -numerator : numerator;
    long long quotient = magnitude / denominator;
    const long long remainder = magnitude % denominator;
    if (remainder > half || (exactHalf && remainder == half))
        ++quotient;
    return static_cast<int>(numerator < 0 ? -quotient : quotient);
}

int fontPixelHeight(int pixelsPerInch)
{
    if (pixelsPerInch == designPixelsPerInch)
        return designTextHeight;
    return roundedQuotient(static_cast<long long>(designTextHeight) * pixelsPerInch, designPixelsPerInch);
}

QRect scaledBounds(const QRect& loaded, int textHeight)
{
    if (textHeight == designTextHeight)
        return loaded;
    const auto scaled = [textHeight](int edge) {
        return roundedQuotient(static_cast<long long>(edge) * textHeight, designTextHeight);
    };
    const int left = scaled(loaded.left());
    const int top = scaled(loaded.top());
    const int right = scaled(loaded.left() + loaded.width());
    const int bottom = scaled(loaded.top() + loaded.height());
    return QRect(left, top, right - left, bottom - top);
}

} // namespace layoutscaling
