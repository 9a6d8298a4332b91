#pragma once

#include "figure/constants.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace render {

// Where each link of a picture row ends, by the column it starts from. A link
// is a flat link long where the picture is flat and shorter where the emblem
// stands out half a flat link to the right of its start. Everything but that
// depth is the same in every row, so prepare() works out both ends of every
// link once per drawing, and row() only picks one of the two by the depth.
class LinkTable {
public:
    // A row's chains run through columns 0..pictureWidth: the column just past
    // the picture's right edge is reached too, it only has no pixel.
    static constexpr std::size_t columns = figure::pictureWidth + 1;
    // Where every link that leaves the row ends.
    static constexpr std::size_t beyond = columns;

    using Links = std::array<std::uint16_t, columns>;

    // Needs the figure constants: call it after figure::int_const().
    void prepare();
    // The links of picture row `row`, valid until the next call.
    const Links& row(int row);

private:
    std::uint16_t linkEnd(double linkX, double depth) const;

    double m_scale = 0.0; // pixels per normalised unit, on both axes
    double m_cx = 0.0;
    double m_cy = 0.0;
    // Figure-plane u where the depth of each column's link is taken, and sqrt3 * u.
    std::array<double, columns> m_u{};
    std::array<double, columns> m_s3u{};
    Links m_flat{};
    Links m_emblem{};
    Links m_row{};
    // Only links starting in columns m_firstEmblem .. m_endEmblem - 1 can cross the emblem.
    std::size_t m_firstEmblem = 0;
    std::size_t m_endEmblem = 0;
};

} // namespace render
