// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "chains.h"
#include "recordingsurface.h"
#include "transcription.h"

#include <gtest/gtest.h>

#include <vector>

// The reference itself (reference/transcription.h), which the renderer's tests
// hold the program to: its known figures, so that an edit to the reference
// cannot quietly move what the program is compared with. Nothing in src/ can
// make these fail.
namespace {

using recorded::Chains;
using recorded::chainsOf;
using recorded::item;

constexpr int flatLink = 120;

// A time of day as the reference reads it, of its own, as it shares nothing
// with the program but the window.
struct Afternoon {
    int hour = 12;
    int minute = 34;
    int second = 56;
    int millisecond = 789;
};

bool isFlatRow(int row)
{
    return row <= 133 || row >= 505;
}

// One afternoon's drawing by the reference, chain by chain.
class Transcription : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        RecordingSurface reference;
        transcription::draw(reference, [] { return Afternoon{}; });
        chains = new Chains(chainsOf(reference.calls));
    }
    static void TearDownTestSuite() { delete chains; }

    static inline Chains* chains = nullptr;
};

// They hold for every seed: which pixels share a chain depends on the emblem alone.
TEST_F(Transcription, HasTheKnownNumbersOfChainsAndVisits)
{
    EXPECT_EQ(chains->started, 77163);
    EXPECT_EQ(chains->visits, 500507);
    EXPECT_EQ(chains->pixelsReachedMoreThanOnce, 19186);
}

TEST_F(Transcription, EveryRowStartsAtColumnZeroAndReachesColumn800)
{
    std::vector<int> firstFlatLink(flatLink);
    for (int column = 0; column < flatLink; ++column)
        item(firstFlatLink, column) = column;
    for (int row = 0; row < recorded::height; ++row) {
        const std::vector<int>& starts = item(chains->startsByRow, row);
        ASSERT_FALSE(starts.empty());
        EXPECT_EQ(starts.front(), 0) << "row " << row;
        EXPECT_TRUE(item(chains->rowReachesColumn800, row)) << "row " << row;
        if (isFlatRow(row))
            EXPECT_EQ(starts, firstFlatLink) << "row " << row;
        else
            EXPECT_GT(starts.size(), firstFlatLink.size()) << "row " << row;
    }
}

} // namespace
