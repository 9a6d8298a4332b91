// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "figure/constants.h"
#include "linktable.h"
#include "palette.h"
#include "randomsource.h"
#include "surface.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

namespace render {

// The process's random source: one seed for the whole run.
RandomSource& randomSource();

// Of the chains that reach a column, the one that started last, with the
// colour of its dots. A later chain compares greater.
class LastChain {
public:
    LastChain() = default;
    LastChain(std::size_t start, Colour colour)
        : m_key((std::uint64_t{start} + 1) << colourBits | colour)
    {}

    bool exists() const { return m_key != 0; }
    Colour colour() const { return static_cast<Colour>(m_key); }
    void keepLater(LastChain other) { m_key = std::max(m_key, other.m_key); }

private:
    static constexpr int colourBits = 32;
    std::uint64_t m_key = 0; // 0: no chain
};

// The colour of the dots of a chain whose index the window was given: what the
// window hands back, or the index given should the window not keep it.
inline Colour dotColour(Colour readBack, Colour index)
{
    return palette[isPaletteIndex(readBack) ? readBack : index];
}

// Columns from .. to - 1 of a row, reached only from a flat span to their left,
// take the chains of the columns there. Returns `to`.
template <class Chains>
std::size_t repeatFlatSpan(Chains& last, std::size_t from, std::size_t to)
{
    // A flat span at a time, so that every copy reads only settled columns.
    for (std::size_t column = from; column < to; column += flatSpan)
        std::copy_n(&last[column - flatSpan], std::min(flatSpan, to - column), &last[column]);
    return to;
}

// Paints the whole random-dot stereogram into the window's picture, row by
// row. In each row, a chain of equally coloured dots starts at every column,
// left to right, that no earlier chain has reached, and runs to the right
// link by link, painting over what earlier chains painted. Each chain's colour
// index goes through the window's background colour, which keeps the last one.
//
// Seeds the random source from the clock once, draws one value per chain and
// allocates nothing. A row's chains get their colours before its pixels are
// written.
template <Surface Window>
void draw(Window& window, Clock clock = utcTimeOfDay)
{
    figure::int_const();

    RandomSource& random = randomSource();
    random.randomize(clock());

    LinkTable links;
    links.prepare();

    const auto startChain = [&](std::size_t column) {
        const Colour index = random.random(paletteSize) + 1;
        window.setColor(index);
        return LastChain(column, dotColour(window.color(), index));
    };
    // Links only go right, so one pass from the left settles a row: by the
    // time it gets to a column, every chain that reaches it has come along a
    // link that ends there, from a flat span or an emblem span to its left.
    std::array<LastChain, columns> last; // every row rewrites every column
    for (int row = 0; row < figure::pictureHeight; ++row) {
        const LinkTable::Row& rowLinks = links.row(row);
        const LinkTable::Ends& ends = rowLinks.ends;
        // Emblem spans end only in mixedFirst .. mixedEnd - 1; elsewhere a
        // column is reached from a flat span to its left, if at all.
        const std::size_t mixedFirst = std::min(rowLinks.emblemFirst + emblemSpan, columns);
        const std::size_t mixedEnd = std::min(rowLinks.emblemEnd + flatSpan, columns);
        std::size_t column = 0;
        for (; column < std::min(flatSpan, mixedFirst); ++column)
            last[column] = startChain(column);
        column = repeatFlatSpan(last, column, mixedFirst);
        for (; column < mixedEnd; ++column) {
            LastChain chain;
            if (column >= flatSpan && ends[column - flatSpan] == column)
                chain = last[column - flatSpan];
            if (ends[column - emblemSpan] == column)
                chain.keepLater(last[column - emblemSpan]);
            last[column] = chain.exists() ? chain : startChain(column);
        }
        repeatFlatSpan(last, column, columns);

        // Only the finished picture is ever shown, so each pixel is written
        // once, with the colour of the last chain to reach it. A row's first
        // pixel goes on its own: a window that creates its picture at the
        // first write has it by then, and the loop over the rest of the row
        // can keep the picture's place and size in registers.
        window.setPixel(0, row, last[0].colour());
        for (int pixel = 1; pixel < figure::pictureWidth; ++pixel)
            window.setPixel(pixel, row, last[static_cast<std::size_t>(pixel)].colour());
    }
}

} // namespace render
