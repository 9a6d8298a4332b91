// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "figure/constants.h"
#include "figure/depth.h"

#include <cstdint>
#include <functional>

// Reads the emblem back out of a finished picture, as a viewer's eyes do: where
// the emblem stands, a dot repeats the one a short link (111 columns) to its
// left; elsewhere, the one a flat link (120 columns) to its left.
struct EmblemReading {
    long emblemPixels = 0;       // pixels whose link from the left crosses the emblem
    long emblemShortRepeats = 0; // ... that repeat the dot 111 columns to their left
    long emblemFlatRepeats = 0;  // ... that repeat the dot 120 columns to their left
    long flatPixels = 0;
    long flatRepeats = 0; // flat pixels that repeat the dot 120 columns to their left

    double emblemShortShare() const { return double(emblemShortRepeats) / double(emblemPixels); }
    double emblemFlatShare() const { return double(emblemFlatRepeats) / double(emblemPixels); }
    double flatShare() const { return double(flatRepeats) / double(flatPixels); }
};

// pixel(column, row) of an 800 x 600 picture, in any colour format.
inline EmblemReading readEmblem(const std::function<std::uint32_t(int, int)>& pixel)
{
    constexpr int shortLink = 111;
    constexpr int flatLink = 120;
    figure::int_const();
    const double scale = figure::height / 2.0;
    const double cx = figure::width / 2.0;
    const double cy = figure::height / 2.0;
    const auto depthOfLinkFrom = [&](int column, int row) {
        double depth = 0.0;
        figure::GetG((column - cx) / scale + 0.2, (row - cy) / scale, depth);
        return depth;
    };

    EmblemReading reading;
    for (int row = 0; row < figure::height; ++row) {
        for (int column = flatLink; column < figure::width; ++column) {
            const std::uint32_t dot = pixel(column, row);
            if (depthOfLinkFrom(column - shortLink, row) == figure::emblemDepth) {
                ++reading.emblemPixels;
                reading.emblemShortRepeats += dot == pixel(column - shortLink, row);
                reading.emblemFlatRepeats += dot == pixel(column - flatLink, row);
            } else if (depthOfLinkFrom(column - flatLink, row) == figure::flatDepth) {
                ++reading.flatPixels;
                reading.flatRepeats += dot == pixel(column - flatLink, row);
            }
        }
    }
    return reading;
}
