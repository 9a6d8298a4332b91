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

// Of the chains that reach a column, the one that started last: its start
// column and the palette slot of its dots, kept so that a later chain compares
// greater. Narrower than anything a window holds, so that to the compiler
// keeping one cannot change the window.
class LastChain {
public:
    LastChain() = default;
    LastChain(std::size_t start, Colour slot)
        : m_key(static_cast<std::uint16_t>((start + 1) << slotBits | slot))
    {
    }

    bool exists() const { return m_key != 0; }
    Colour colour() const { return palette[m_key & slotMask]; }
    void keepLater(LastChain other) { m_key = std::max(m_key, other.m_key); }

private:
    static constexpr int slotBits = 4;
    static constexpr unsigned slotMask = (1u << slotBits) - 1;
    static_assert(paletteSize <= slotMask);
    static_assert(LinkTable::columns < (1u << (16 - slotBits)));

    std::uint16_t m_key = 0; // 0: no chain
};

// The palette slot of the dots of a chain whose index the window was given:
// what the window hands back, or the index given should the window not keep it.
inline Colour dotSlot(Colour readBack, Colour index)
{
    return isPaletteIndex(readBack) ? readBack : index;
}

// Paints the whole random-dot stereogram into the window's picture, row by
// row. In each row, chains of equally coloured dots start left to right at
// every column that no earlier chain has reached, and run to the right one
// link at a time, painting over what earlier chains painted. Each chain's
// colour index goes through the window's background colour, which keeps the
// last one.
//
// Since links only go right, a row is settled in one pass from the left: by
// the time the pass gets to a column, every chain that reaches it has been
// seen, and the pixel is written once, with the colour of the last of them.
// Seeds the random source from the clock once, draws one value per chain and
// allocates nothing.
template <Surface Window>
void draw(Window& window, Clock clock = utcTimeOfDay)
{
    figure::int_const();

    RandomSource& random = randomSource();
    random.randomize(clock());

    LinkTable links;
    links.prepare();

    for (int row = 0; row < figure::pictureHeight; ++row) {
        const LinkTable::Links& next = links.row(row);
        std::array<LastChain, LinkTable::columns + 1> reached{}; // the last slot: beyond the row
        for (std::size_t column = 0; column < LinkTable::columns; ++column) {
            LastChain chain = reached[column];
            if (!chain.exists()) {
                const Colour index = random.random(paletteSize) + 1;
                window.setColor(index);
                chain = LastChain(column, dotSlot(window.color(), index));
            }
            window.setPixel(static_cast<int>(column), row, chain.colour());
            reached[next[column]].keepLater(chain);
        }
    }
}

} // namespace render
