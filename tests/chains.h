// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "recordingsurface.h"

#include "render/colour.h"

#include <cstddef>
#include <vector>

// The chains of a drawing, read from the calls it made on a RecordingSurface.
namespace recorded {

inline constexpr int width = 800;
inline constexpr int height = 600;

using Call = RecordingSurface::Call;

// The colour indices a drawing gave the window, in order: one per chain.
inline std::vector<render::Colour> chainIndices(const std::vector<Call>& calls)
{
    std::vector<render::Colour> indices;
    for (const Call& call : calls)
        if (call.kind == Call::Color)
            indices.push_back(call.colour);
    return indices;
}

// The chains of a drawing that shows the window every visit of every chain,
// as the step-by-step reference does: a chain's colour, then its pixels.
struct Chains {
    long started = 0;
    long visits = 0;
    long pixelsReachedMoreThanOnce = 0;
    std::vector<std::vector<int>> startsByRow = std::vector<std::vector<int>>(height);
    std::vector<bool> rowReachesColumn800 = std::vector<bool>(height, false);
    // Which chain (counting from 0 in the order they start) reaches each column
    // first and last, by row and column 0..800.
    std::vector<std::vector<long>> firstChain =
        std::vector<std::vector<long>>(height, std::vector<long>(width + 1, -1));
    std::vector<std::vector<long>> lastChain = std::vector<std::vector<long>>(height, std::vector<long>(width + 1, -1));
};

// Element i of v, for the signed row, column and chain numbers used here.
template <class V>
inline decltype(auto) item(V& v, long i)
{
    return v[static_cast<std::size_t>(i)];
}

inline Chains chainsOf(const std::vector<Call>& calls)
{
    Chains chains;
    bool chainOpen = false;
    for (const Call& call : calls) {
        if (call.kind == Call::Color) {
            ++chains.started;
            chainOpen = true;
            continue;
        }
        ++chains.visits;
        if (chainOpen)
            item(chains.startsByRow, call.row).push_back(call.column);
        chainOpen = false;
        if (call.column == width)
            item(chains.rowReachesColumn800, call.row) = true;
        const long chain = chains.started - 1;
        long& first = item(item(chains.firstChain, call.row), call.column);
        long& last = item(item(chains.lastChain, call.row), call.column);
        if (first < 0)
            first = chain;
        else if (last == first)
            ++chains.pixelsReachedMoreThanOnce;
        last = chain;
    }
    return chains;
}

} // namespace recorded
