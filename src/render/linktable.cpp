#include "linktable.h"

namespace render {

void LinkTable::prepare()
{
    for (std::size_t column = 0; column < columns; ++column) {
        m_u[column] = figure::toU(linkX(column));
        m_s3u[column] = figure::sqrt3 * m_u[column];
        m_flatRow.ends[column] = static_cast<std::uint16_t>(linkEnd(column, figure::flatDepth));
        m_emblemEnds[column] = static_cast<std::uint16_t>(linkEnd(column, figure::emblemDepth));
    }
    m_emblemFirst = 0;
    while (m_emblemFirst < columns && m_u[m_emblemFirst] < figure::emblemLeft)
        ++m_emblemFirst;
    m_emblemEnd = columns;
    while (m_emblemEnd > m_emblemFirst && m_u[m_emblemEnd - 1] > figure::emblemRight)
        --m_emblemEnd;
    m_row.ends = m_flatRow.ends;
}

const LinkTable::Row& LinkTable::row(int row)
{
    const double rowY = (row - cy) / scale;
    const figure::DepthRow depth(figure::toV(rowY));
    if (depth.flat())
        return m_flatRow;
    // Outside m_emblemFirst .. m_emblemEnd - 1 every link keeps the flat end prepare() gave it.
    depth.withTest([this](const auto& inside) {
        for (std::size_t column = m_emblemFirst; column < m_emblemEnd; ++column) {
            const std::uint16_t flat = m_flatRow.ends[column];
            const std::uint16_t emblem = m_emblemEnds[column];
            m_row.ends[column] = inside(m_u[column], m_s3u[column]) ? emblem : flat;
        }
    });
    m_row.emblemFirst = m_emblemFirst;
    while (m_row.emblemFirst < m_emblemEnd && m_row.ends[m_row.emblemFirst] != m_emblemEnds[m_row.emblemFirst])
        ++m_row.emblemFirst;
    m_row.emblemEnd = m_emblemEnd;
    while (m_row.emblemEnd > m_row.emblemFirst && m_row.ends[m_row.emblemEnd - 1] != m_emblemEnds[m_row.emblemEnd - 1])
        --m_row.emblemEnd;
    return m_row;
}

} // namespace render
