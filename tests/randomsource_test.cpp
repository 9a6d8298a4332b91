// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "render/randomsource.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <array>
#include <ctime>
#include <string>

namespace {

using render::RandomSource;
using render::TimeOfDay;

TEST(RandomSource, DrawsFromSeedZero)
{
    RandomSource source;
    ASSERT_EQ(source.seed, 0u);
    const struct {
        std::uint32_t value;
        std::uint32_t seedAfter;
    } expected[] = {{0, 1}, {0, 134775814}, {6, 3698175007}};
    for (const auto& e : expected) {
        EXPECT_EQ(source.random(8), e.value);
        EXPECT_EQ(source.seed, e.seedAfter);
    }
    for (std::uint32_t value : {1u, 2u, 5u})
        EXPECT_EQ(source.random(8), value);
    EXPECT_EQ(source.seed, 2884733762u);
}

// The seed's top bits choose the value: a run of draws hits every value of
// the range about equally often, and none beyond it.
TEST(RandomSource, ValuesCoverTheirRangeEvenly)
{
    constexpr std::uint32_t bound = 8;
    constexpr int draws = 1 << 16;
    constexpr int expected = draws / int(bound);
    RandomSource source;
    std::array<int, bound> counts{};
    for (int i = 0; i < draws; ++i) {
        const std::uint32_t value = source.random(bound);
        ASSERT_LT(value, bound);
        ++counts[value];
    }
    for (std::uint32_t value = 0; value < bound; ++value) {
        EXPECT_GT(counts[value], expected * 9 / 10) << value;
        EXPECT_LT(counts[value], expected * 11 / 10) << value;
    }
}

struct SeedCase : tablerows::Named {
    TimeOfDay time;
    std::uint32_t seed;
};

class SeedFromTime : public ::testing::TestWithParam<SeedCase> {};

TEST_P(SeedFromTime, IsMillisecondsSinceMidnight)
{
    RandomSource source;
    source.seed = 12345;
    source.randomize(GetParam().time);
    EXPECT_EQ(source.seed, GetParam().seed);
}

INSTANTIATE_TEST_SUITE_P(TimeOfDay, SeedFromTime,
                         ::testing::Values(SeedCase{"Midnight", {0, 0, 0, 0}, 0},
                                           SeedCase{"AfternoonWithMilliseconds", {12, 34, 56, 789}, 45296789},
                                           SeedCase{"LastMillisecondOfTheDay", {23, 59, 59, 999}, 86399999}),
                         tablerows::byName);

TEST(RandomSource, SystemClockGivesTheUtcTimeOfDay)
{
    constexpr long secondsPerDay = 24 * 60 * 60;
    const long expected = static_cast<long>(std::time(nullptr) % secondsPerDay);
    const TimeOfDay now = render::utcTimeOfDay();
    EXPECT_GE(now.millisecond, 0);
    EXPECT_LT(now.millisecond, 1000);
    const long seconds = (now.hour * 60L + now.minute) * 60L + now.second;
    const long apart = (seconds - expected + secondsPerDay) % secondsPerDay;
    EXPECT_TRUE(apart <= 1 || apart == secondsPerDay - 1) << seconds << " vs " << expected;
}

} // namespace
