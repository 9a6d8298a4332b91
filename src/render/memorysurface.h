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
        if (contains(column, row))
            m_pixels[index(column, row)] = colour;
    }
    void setColor(Colour colour) { m_color = colour; }
    Colour color() const { return m_color; }

    int width() const { return m_width; }
    int height() const { return m_height; }
    Colour pixel(int column, int row) const { return m_pixels[index(column, row)]; }
    const std::vector<Colour>& pixels() const { return m_pixels; }

private:
    bool contains(int column, int row) const
    {
        return column >= 0 && column < m_width && row >= 0 && row < m_height;
    }
    std::size_t index(int column, int row) const
    {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(m_width)
            + static_cast<std::size_t>(column);
    }

    int m_width = 0;
    int m_height = 0;
    Colour m_color = 0;
    std::vector<Colour> m_pixels;
};

static_assert(Surface<MemorySurface>);

} // namespace render
