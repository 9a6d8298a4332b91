// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "surface.h"

#include <array>

namespace render {

inline constexpr int paletteSize = 8;

// The dot colours, indexed 1..paletteSize; slot 0 is never a dot colour.
inline constexpr std::array<Colour, paletteSize + 1> palette{
    0x00000000, // unused
    0x00000000, // black
    0x00FF0000, // blue
    0x00008000, // green
    0x00800000, // navy
    0x00800080, // purple
    0x000000FF, // red
    0x00FFFFFF, // white
    0x0000FFFF, // yellow
};

inline constexpr bool isPaletteIndex(Colour index)
{
    return index >= 1 && index <= paletteSize;
}

} // namespace render
