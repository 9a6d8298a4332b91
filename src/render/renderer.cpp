#include "renderer.h"

#include "figure/constants.h"
#include "figure/depth.h"

#include <array>
#include <cmath>

namespace render {

namespace {

// A link joins two dots of one chain: 120 pixels apart where the picture is
// flat, 111 where the emblem stands out. The depth is taken half a flat link
// (60 pixels, 0.2 normalised units) to the right of the link's start.
constexpr double halfLink = 0.2;
constexpr double depthShift = 0.1;

constexpr int columns = figure::pictureWidth + 1; // the walk reaches column `width` too

// Everything that depends on the column alone is the same for every row, so
// the link from each column is worked out once per drawing for both depths;
// a row then only picks one of the two by the emblem's depth there.
struct Drawing {
    double scale = 0.0; // pixels per normalised unit, on both axes
    double cx = 0.0;
    double cy = 0.0;
    std::array<double, columns> u{};   // figure-plane u where each link's depth is taken
    std::array<double, columns> s3u{}; // sqrt3 * u
    std::array<std::int16_t, columns> nextFlat{};
    std::array<std::int16_t, columns> nextEmblem{};
    std::array<std::int16_t, columns> next{}; // this row's links
    // Only links starting in these columns can cross the emblem.
    int firstEmblemColumn = 0;
    int lastEmblemColumn = -1;
    std::array<bool, columns> reached{};
};

Drawing drawing;

std::int16_t linkEnd(double linkX, double depth)
{
    const double farX = linkX + halfLink - depthShift * depth;
    return static_cast<std::int16_t>(std::nearbyint(farX * drawing.scale + drawing.cx)); // ties to even
}

} // namespace

RandomSource& randomSource()
{
    static RandomSource source;
    return source;
}

namespace detail {

void beginDrawing(Clock clock)
{
    figure::int_const();
    randomSource().randomize(clock());

    drawing.scale = figure::height / 2.0;
    drawing.cy = figure::height / 2.0;
    drawing.cx = figure::width / 2.0;
    for (int g = 0; g <= figure::width; ++g) {
        const double linkX = (g - drawing.cx) / drawing.scale + halfLink;
        drawing.u[g] = figure::toU(linkX);
        drawing.s3u[g] = figure::sqrt3 * drawing.u[g];
        drawing.nextFlat[g] = linkEnd(linkX, figure::flatDepth);
        drawing.nextEmblem[g] = linkEnd(linkX, figure::emblemDepth);
    }
    drawing.next = drawing.nextFlat;

    drawing.firstEmblemColumn = 0;
    while (drawing.firstEmblemColumn <= figure::width && drawing.u[drawing.firstEmblemColumn] < figure::emblemLeft)
        ++drawing.firstEmblemColumn;
    drawing.lastEmblemColumn = figure::width;
    while (drawing.lastEmblemColumn >= 0 && drawing.u[drawing.lastEmblemColumn] > figure::emblemRight)
        --drawing.lastEmblemColumn;
}

const std::int16_t* rowLinks(int row)
{
    const double rowY = (row - drawing.cy) / drawing.scale;
    const figure::DepthRow depth(figure::toV(rowY));
    if (depth.flat())
        return drawing.nextFlat.data();
    // Outside the emblem's columns drawing.next keeps the flat links it got in beginDrawing().
    depth.withTest([](const auto& inside) {
        for (int g = drawing.firstEmblemColumn; g <= drawing.lastEmblemColumn; ++g)
            drawing.next[g] = inside(drawing.u[g], drawing.s3u[g]) ? drawing.nextEmblem[g]
                                                                   : drawing.nextFlat[g];
    });
    return drawing.next.data();
}

bool* reachedColumns()
{
    return drawing.reached.data();
}

} // namespace detail

} // namespace render
