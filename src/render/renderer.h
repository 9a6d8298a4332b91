#pragma once

#include "figure/constants.h"
#include "palette.h"
#include "randomsource.h"
#include "surface.h"

#include <algorithm>
#include <cstdint>

namespace render {

// The process's random source: one seed for the whole run.
RandomSource& randomSource();

namespace detail {
// Computes the figure constants, seeds randomSource() from the clock and
// prepares the links that are the same in every row.
void beginDrawing(Clock clock);
// Where each link of picture row `row` ends, by the column it starts at, 0..width.
const std::int16_t* rowLinks(int row);
// Per row: set once a column has been reached. Cleared for each row by the caller.
bool* reachedColumns();

inline Colour dotColour(Colour index, Colour drawn)
{
    // The window hands back what it was given; should it not, the drawn index
    // keeps the picture in the palette.
    return palette[isPaletteIndex(index) ? index : drawn];
}
} // namespace detail

// Paints the whole random-dot stereogram into the window's picture, row by
// row, one chain of equally coloured dots at a time, each chain's dots a link
// apart. Every chain's colour index goes through the window's background
// colour, which keeps the last one.
//
// Seeds the random source from the clock once and draws one value per chain.
// Allocates nothing.
template <Surface Window>
void draw(Window& window, Clock clock = utcTimeOfDay)
{
    detail::beginDrawing(clock);
    RandomSource& random = randomSource();
    const int width = figure::width;
    bool* reached = detail::reachedColumns();
    for (int row = 0; row < figure::height; ++row) {
        const std::int16_t* next = detail::rowLinks(row);
        std::fill(reached, reached + width + 1, false);
        for (int start = 0; start <= width; ++start) {
            if (reached[start])
                continue;
            const Colour index = random.random(paletteSize) + 1;
            window.setColor(index);
            const Colour colour = detail::dotColour(window.color(), index);
            // A chain goes on through columns that earlier chains reached,
            // painting over them.
            for (int g = start; g <= width; g = next[g]) {
                reached[g] = true;
                window.setPixel(g, row, colour);
            }
        }
    }
}

} // namespace render
