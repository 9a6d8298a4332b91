// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

namespace render {

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// The current time of day in UTC.
TimeOfDay utcTimeOfDay();

// Where a drawing reads the time of day it seeds its random source from.
using Clock = TimeOfDay (*)();

// A 32-bit linear congruential generator, seeded from the time of day.
class RandomSource {
public:
    // Milliseconds since midnight.
    void randomize(const TimeOfDay& time);

    // A value in 0 .. n - 1; advances the seed first.
    std::uint32_t random(std::uint32_t n)
    {
        seed = seed * multiplier + increment; // modulo 2^32 by unsigned wrap-around
        return static_cast<std::uint32_t>((std::uint64_t{seed} * n) >> 32);
    }

    std::uint32_t seed = 0;

private:
    static constexpr std::uint32_t multiplier = 0x08088405;
    static constexpr std::uint32_t increment = 1;
};

} // namespace render
