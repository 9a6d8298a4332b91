// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "randomsource.h"

#include <chrono>

namespace render {

TimeOfDay utcTimeOfDay()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceMidnight = duration_cast<milliseconds>(now - floor<days>(now));
    const hh_mm_ss time{sinceMidnight};
    return {static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
            static_cast<int>(time.seconds().count()), static_cast<int>(time.subseconds().count())};
}

void RandomSource::randomize(const TimeOfDay& time)
{
    const int minutes = time.hour * 60 + time.minute;
    const int seconds = minutes * 60 + time.second;
    seed = static_cast<std::uint32_t>(seconds * 1000 + time.millisecond);
}

} // namespace render
