// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QRect>

// Where the close button should be in the client area, relative to its
// top-left corner. Shared by the screen checks and by text-height-probe,
// which tells the robustness scripts where to click.
namespace e2e {

// The button as laid out, before it is scaled for the screen.
inline constexpr QRect buttonBounds(136, 16, 97, 41);

// The button's bounds where a line of text is `textHeight` pixels high: its
// edges scaled by textHeight / 15, to the nearest pixel.
constexpr QRect scaledButton(int textHeight)
{
    const auto scaled = [textHeight](int edge) { return (2 * edge * textHeight + 15) / 30; };
    const QRect b = buttonBounds;
    return QRect(QPoint(scaled(b.left()), scaled(b.top())),
                 QPoint(scaled(b.left() + b.width()) - 1, scaled(b.top() + b.height()) - 1));
}

} // namespace e2e
