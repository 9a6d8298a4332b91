// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "colour.h"

#include <concepts>

namespace render {

// All the renderer needs of the window that shows the picture:
//  - setPixel(column, row, colour) writes one dot of the picture; a write
//    outside the picture has no effect and is no error;
//  - setColor(colour) sets the window's background colour, and color() reads
//    back the last value set.
// The renderer is compiled against each kind of window, so that a dot costs a
// store, not a call.
template <class W>
concept Surface = requires(W& window, const W& shown, int column, int row, Colour colour)
{
    window.setPixel(column, row, colour);
    window.setColor(colour);
    {
        shown.color()
        } -> std::convertible_to<Colour>;
};

} // namespace render
