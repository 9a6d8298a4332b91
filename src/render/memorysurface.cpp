#include "memorysurface.h"

namespace render {

MemorySurface::MemorySurface(int width, int height, Colour background)
    : m_width(width > 0 ? width : 0)
    , m_height(height > 0 ? height : 0)
    , m_color(background)
    , m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), white)
{
}

} // namespace render
