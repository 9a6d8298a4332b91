// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "surface.h"

#include <cstddef>
#include <vector>

namespace render {

// A picture held in memory, with a background colour: a window without a screen.
class MemorySurface {
public:
    static constexpr Colour white = 0x00FFFFFF;

    MemorySurface(int width, int height, Colour background);

    void setPixel(int column, int row, Colour colour)
    {
        Colour* const pixels = m_pixels.data();
        if (contains(column, row))
            pixels[index(column, row)] = colour;
    }
    void setColor(Colour colour) { m_colour = colour; }
    Colour color() const { return m_colour; }

    int width() const { return static_cast<int>(m_width); }
    int height() const { return static_cast<int>(m_height); }
    Colour pixel(int column, int row) const { return m_pixels[index(column, row)]; }
    const std::vector<Colour>& pixels() const { return m_pixels; }

private:
    // A negative coordinate wraps round to a number past any size.
    bool contains(int column, int row) const
    {
        const bool rowInside = static_cast<std::size_t>(row) < m_height;
        const bool columnInside = static_cast<std::size_t>(column) < m_width;
        return rowInside && columnInside;
    }
    std::size_t index(int column, int row) const
    {
        return static_cast<std::size_t>(row) * m_width + static_cast<std::size_t>(column);
    }

    // Wider than a pixel, so that to the compiler a pixel write cannot change them.
    std::size_t m_width = 0;
    std::size_t m_height = 0;
    Colour m_colour = 0;
    std::vector<Colour> m_pixels;
};

static_assert(Surface<MemorySurface>);

} // namespace render
