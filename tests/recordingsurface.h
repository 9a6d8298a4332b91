// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "render/memorysurface.h"

#include <vector>

// A picture in memory that also keeps every call the renderer made, in order.
class RecordingSurface {
public:
    struct Call {
        enum Kind { Pixel, Color } kind;
        int column = 0;
        int row = 0;
        render::Colour colour = 0;
        bool operator==(const Call&) const = default;
    };

    // The window's background colour before drawing: a system colour.
    static constexpr render::Colour buttonFace = 0x8000000F;

    RecordingSurface() { calls.reserve(600000); }

    void setPixel(int column, int row, render::Colour colour)
    {
        calls.push_back({Call::Pixel, column, row, colour});
        picture.setPixel(column, row, colour);
    }
    void setColor(render::Colour colour)
    {
        calls.push_back({Call::Color, 0, 0, colour});
        picture.setColor(colour);
    }
    render::Colour color() const { return picture.color(); }

    render::MemorySurface picture{800, 600, buttonFace};
    std::vector<Call> calls;
};

static_assert(render::Surface<RecordingSurface>);
