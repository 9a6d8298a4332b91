#include "linktable.h"

#include "figure/depth.h"

#include <algorithm>
#include <cmath>

namespace render {

namespace {
// The depth is taken half a flat link (0.2 normalised units, 60 pixels) to the
// right of a link's start, and a link ends another half flat link on, less
// depthShift for each unit of depth.
constexpr double halfLink = 0.2;
constexpr double depthShift = 0.1;
} // namespace

void LinkTable::prepare()
{
    m_scale = figure::pictureHeight / 2.0;
    m_cy = figure::pictureHeight / 2.0;
    m_cx = figure::pictureWidth / 2.0;
    for (std::size_t g = 0; g < columns; ++g) {
        const double linkX = (static_cast<double>(g) - m_cx) / m_scale + halfLink;
        m_u[g] = figure::toU(linkX);
        m_s3u[g] = figure::sqrt3 * m_u[g];
        m_flat[g] = linkEnd(linkX, figure::flatDepth);
        m_emblem[g] = linkEnd(linkX, figure::emblemDepth);
    }
    m_row = m_flat;

    m_firstEmblem = 0;
    while (m_firstEmblem < columns && m_u[m_firstEmblem] < figure::emblemLeft)
        ++m_firstEmblem;
    m_endEmblem = columns;
    while (m_endEmblem > m_firstEmblem && m_u[m_endEmblem - 1] > figure::emblemRight)
        --m_endEmblem;
}

const LinkTable::Links& LinkTable::row(int row)
{
    const double rowY = (row - m_cy) / m_scale;
    const figure::DepthRow depth(figure::toV(rowY));
    if (depth.flat())
        return m_flat;
    // Outside the emblem's columns m_row keeps the flat links prepare() gave it.
    depth.withTest([this](const auto& inside) {
        for (std::size_t g = m_firstEmblem; g < m_endEmblem; ++g) {
            const std::uint16_t flat = m_flat[g];
            const std::uint16_t emblem = m_emblem[g];
            m_row[g] = inside(m_u[g], m_s3u[g]) ? emblem : flat;
        }
    });
    return m_row;
}

std::uint16_t LinkTable::linkEnd(double linkX, double depth) const
{
    const double farX = linkX + halfLink - depthShift * depth;
    const double end = std::nearbyint(farX * m_scale + m_cx); // ties to even
    return static_cast<std::uint16_t>(std::min(end, static_cast<double>(beyond)));
}

} // namespace render
