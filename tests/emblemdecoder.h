// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "figure/constants.h"
#include "figure/depth.h"

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>

// Reads the emblem back out of a finished picture, as a viewer's eyes do: where
// the emblem stands, a dot repeats the one a short link (111 columns) to its
// left; elsewhere, the one a flat link (120 columns) to its left. Where both a
// short and a flat link reach a pixel, the chain that started later shows,
// and that is the flat link's in about one pixel of ten.
struct EmblemReading {
    long emblemPixels = 0;       // pixels whose link from the left crosses the emblem
    long emblemShortRepeats = 0; // ... that repeat the dot 111 columns to their left
    long emblemFlatRepeats = 0;  // ... that repeat the dot 120 columns to their left
    long flatPixels = 0;
    long flatRepeats = 0;    // flat pixels that repeat the dot 120 columns to their left
    long sharedPixels = 0;   // emblem pixels that a flat link reaches too
    long sharedFlatWins = 0; // ... that repeat the flat link's dot and not the short link's

    double emblemShortShare() const { return double(emblemShortRepeats) / double(emblemPixels); }
    double emblemFlatShare() const { return double(emblemFlatRepeats) / double(emblemPixels); }
    double flatShare() const { return double(flatRepeats) / double(flatPixels); }
    double sharedFlatShare() const { return double(sharedFlatWins) / double(sharedPixels); }

    // The emblem stands out of the flat ground, and where links meet the
    // flat link's chain wins often enough to show that the later chain wins,
    // not the emblem's every time. (An afternoon's picture: 77707 emblem
    // pixels, shares 0.994, 0.13, 1.0 and 0.083.)
    bool readsBack() const
    {
        return emblemPixels > 20000 && emblemShortShare() > 0.95 && emblemFlatShare() < 0.3 && flatShare() > 0.97
            && sharedFlatShare() > 0.04;
    }

    // The figures against what readsBack() wants, for failure messages.
    std::string summary() const
    {
        std::ostringstream out;
        out << "emblem pixels " << emblemPixels << " (want > 20000), short-link repeats " << emblemShortShare()
            << " (want > 0.95), flat-link repeats on the emblem " << emblemFlatShare()
            << " (want < 0.3), flat-link repeats elsewhere " << flatShare()
            << " (want > 0.97), flat links winning where both reach " << sharedFlatShare() << " (want > 0.04)";
        return out.str();
    }
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
            const bool flatLinkReaches = depthOfLinkFrom(column - flatLink, row) == figure::flatDepth;
            if (depthOfLinkFrom(column - shortLink, row) == figure::emblemDepth) {
                const bool shortRepeat = dot == pixel(column - shortLink, row);
                const bool flatRepeat = dot == pixel(column - flatLink, row);
                ++reading.emblemPixels;
                reading.emblemShortRepeats += shortRepeat;
                reading.emblemFlatRepeats += flatRepeat;
                reading.sharedPixels += flatLinkReaches;
                reading.sharedFlatWins += flatLinkReaches && flatRepeat && !shortRepeat;
            } else if (flatLinkReaches) {
                ++reading.flatPixels;
                reading.flatRepeats += dot == pixel(column - flatLink, row);
            }
        }
    }
    return reading;
}
