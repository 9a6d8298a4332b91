// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "linktable.h"

#include <algorithm>

namespace render {

void LinkTable::prepare()
{
    for (std::size_t column = 0; column < columns; ++column) {
        m_u[column] = figure::toU(linkX(column));
        m_s3u[column] = figure::sqrt3 * m_u[column];
        m_flatRow.ends[column] = static_cast<std::uint16_t>(linkEnd(column, figure::flatDepth));
        m_emblemEnds[column] = static_cast<std::uint16_t>(linkEnd(column, figure::emblemDepth));
    }
    m_row = m_flatRow;
}

const LinkTable::Row& LinkTable::row(int row)
{
    const double rowY = (row - cy) / scale;
    const figure::DepthRow depth(figure::toV(rowY));
    if (depth.flat())
        return m_flatRow;

    // Back to flat links where the last row had emblem links, then test the
    // columns whose links the emblem can reach on this row.
    std::copy(m_flatRow.ends.begin() + static_cast<std::ptrdiff_t>(m_row.emblemFirst),
              m_flatRow.ends.begin() + static_cast<std::ptrdiff_t>(m_row.emblemEnd),
              m_row.ends.begin() + static_cast<std::ptrdiff_t>(m_row.emblemFirst));
    const figure::DepthRow::Span span = depth.span();
    const std::size_t first = columnFrom(span.left);
    const std::size_t end = std::max(first, columnFrom(span.right));
    depth.withTest([this, first, end](const auto& inside) {
        for (std::size_t column = first; column < end; ++column) {
            const std::uint16_t flat = m_flatRow.ends[column];
            const std::uint16_t emblem = m_emblemEnds[column];
            m_row.ends[column] = inside(m_u[column], m_s3u[column]) ? emblem : flat;
        }
    });

    m_row.emblemFirst = first;
    while (m_row.emblemFirst < end && m_row.ends[m_row.emblemFirst] == m_flatRow.ends[m_row.emblemFirst])
        ++m_row.emblemFirst;
    m_row.emblemEnd = end;
    while (m_row.emblemEnd > m_row.emblemFirst
           && m_row.ends[m_row.emblemEnd - 1] == m_flatRow.ends[m_row.emblemEnd - 1])
        --m_row.emblemEnd;
    return m_row;
}

std::size_t LinkTable::columnFrom(double u) const
{
    return static_cast<std::size_t>(std::lower_bound(m_u.begin(), m_u.end(), u) - m_u.begin());
}

} // namespace render
