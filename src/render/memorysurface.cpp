// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "memorysurface.h"

#include <algorithm>

namespace render {

MemorySurface::MemorySurface(int width, int height, Colour background)
    : m_width(static_cast<std::size_t>(std::max(width, 0)))
    , m_height(static_cast<std::size_t>(std::max(height, 0)))
    , m_colour(background)
    , m_pixels(m_width * m_height, white)
{}

} // namespace render
