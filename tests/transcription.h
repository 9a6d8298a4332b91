#pragma once

#include "figure/constants.h"
#include "figure/depth.h"
#include "render/palette.h"
#include "render/randomsource.h"
#include "render/surface.h"

#include <array>
#include <cmath>
#include <cstdint>

// The drawing exactly as the algorithm states it, step by step and without
// any restructuring: the reference that render::draw must match call for call.
// Keeps its working values and its random source to itself.
namespace transcription {

inline double scale;
inline double cx;
inline double cy;
inline double rowY;
inline double linkX;
inline double depth;
inline std::array<std::uint8_t, figure::pictureWidth + 1> done;
inline render::RandomSource randSource;

template <render::Surface Window>
void draw(Window& window, render::Clock clock)
{
    using figure::height;
    using figure::width;

    figure::int_const();
    randSource.randomize(clock());
    scale = height / 2.0;
    cy = height / 2.0;
    cx = width / 2.0;
    for (int i = 0; i <= height - 1; ++i) {
        rowY = (i - cy) / scale;
        for (int c = 0; c <= width; ++c)
            done[c] = 0;
        for (int c = 0; c <= width; ++c) {
            if (done[c] != 0)
                continue;
            const auto k = randSource.random(8) + 1;
            window.setColor(k);
            int g = c;
            while (g <= width) {
                done[g] = 1;
                window.setPixel(g, i, render::palette[window.color()]);
                linkX = (g - cx) / scale + 0.2;
                figure::GetG(linkX, rowY, depth);
                linkX = linkX + 0.2 - 0.1 * depth;
                g = static_cast<int>(std::nearbyint(linkX * scale + cx));
            }
        }
    }
}

} // namespace transcription
