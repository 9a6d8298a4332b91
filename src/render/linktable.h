// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "figure/constants.h"
#include "figure/depth.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace render {

// A row's chains run through columns 0..pictureWidth: the column just past the
// picture's right edge is reached too, it only has no pixel.
inline constexpr std::size_t columns = figure::pictureWidth + 1;

// Pixels per normalised unit, on both axes, and the column and row of the
// normalised origin.
inline constexpr double scale = figure::pictureHeight / 2.0;
inline constexpr double cx = figure::pictureWidth / 2.0;
inline constexpr double cy = figure::pictureHeight / 2.0;

// A link's depth is taken half a flat link (0.2 normalised units) to the right
// of its start; it ends another half flat link on, less depthShift for each
// unit of depth.
inline constexpr double halfLink = 0.2;
inline constexpr double depthShift = 0.1;

// x rounded to the nearest whole number, ties to even; for x >= 0.
constexpr std::size_t nearestEven(double x)
{
    const auto whole = static_cast<std::size_t>(x);
    const double fraction = x - static_cast<double>(whole); // exact
    const bool up = fraction > 0.5 || (fraction == 0.5 && whole % 2 != 0);
    return up ? whole + 1 : whole;
}

// Normalised x where the depth of the link from `column` is taken.
constexpr double linkX(std::size_t column)
{
    return (static_cast<double>(column) - cx) / scale + halfLink;
}

// Where the link from `column` ends, for the depth taken along it.
constexpr std::size_t linkEnd(std::size_t column, double depth)
{
    const double farX = linkX(column) + halfLink - depthShift * depth;
    return nearestEven(farX * scale + cx);
}

inline constexpr std::size_t flatSpan = linkEnd(0, figure::flatDepth);
inline constexpr std::size_t emblemSpan = linkEnd(0, figure::emblemDepth);

constexpr bool everyLinkSpans(double depth, std::size_t span)
{
    for (std::size_t column = 0; column < columns; ++column)
        if (linkEnd(column, depth) != column + span)
            return false;
    return true;
}

// The arithmetic of a link rounds to the same span from every column, so the
// links that can reach a column start a flat span and an emblem span to its left.
static_assert(everyLinkSpans(figure::flatDepth, flatSpan));
static_assert(everyLinkSpans(figure::emblemDepth, emblemSpan));
static_assert(emblemSpan < flatSpan);

// Where the links of a row end. Where a link's depth is taken is the same in
// every row, and so are the two places it can end, so prepare() works them out
// once per drawing, and row() only picks one of the two by the emblem's depth,
// where the emblem can be.
class LinkTable {
public:
    using Ends = std::array<std::uint16_t, columns>;

    struct Row {
        // Where the link from each column ends.
        Ends ends{};
        // Only links from columns emblemFirst .. emblemEnd - 1 can be emblem
        // spans; emblemFirst == emblemEnd in a row the emblem does not cross.
        std::size_t emblemFirst = 0;
        std::size_t emblemEnd = 0;
    };

    // Needs the figure constants: call it after figure::int_const().
    void prepare();
    // The links of picture row `row`, valid until the next call.
    const Row& row(int row);

private:
    // The first column whose link's depth is taken at u or to its right.
    std::size_t columnFrom(double u) const;

    // Figure-plane u where the depth of each column's link is taken, and sqrt3 * u.
    std::array<double, columns> m_u{};
    std::array<double, columns> m_s3u{};
    Ends m_emblemEnds{};
    // A row the emblem does not cross, and the last row it did.
    Row m_flatRow;
    Row m_row;
};

} // namespace render
