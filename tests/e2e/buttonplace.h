// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/window/layoutscaling.h"

#include <QRect>

// Where the close button should be in the client area, relative to its
// top-left corner. Shared by the screen checks and by text-height-probe,
// which tells the robustness scripts where to click. The scaling is the
// program's own (tests/layoutscaling_test.cpp holds it to its table): the
// tests here ask where the real program put the button on a real display.
namespace e2e {

// The button as laid out, before it is scaled for the screen.
inline constexpr QRect buttonBounds(136, 16, 97, 41);

// The button's bounds where a line of text is `textHeight` pixels high.
inline QRect scaledButton(int textHeight)
{
    return layoutscaling::scaledBounds(buttonBounds, textHeight);
}

} // namespace e2e
