// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "chains.h"
#include "emblemdecoder.h"
#include "recordingsurface.h"
#include "transcription.h"

#include "render/memorysurface.h"
#include "render/palette.h"
#include "render/renderer.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

using recorded::chainIndices;
using recorded::Chains;
using recorded::chainsOf;
using recorded::item;
using render::Colour;
using Call = RecordingSurface::Call;

constexpr int width = 800;
constexpr int height = 600;
constexpr int flatLink = 120;

template <int H, int M, int S, int MS>
render::TimeOfDay at()
{
    return {H, M, S, MS};
}

bool isFlatRow(int row)
{
    return row <= 133 || row >= 505;
}

// One afternoon's picture, drawn by the program and by the reference.
class Drawn : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        drawn = new RecordingSurface;
        render::draw(*drawn, at<12, 34, 56, 789>);
        RecordingSurface reference;
        transcription::draw(reference, at<12, 34, 56, 789>);
        chains = new Chains(chainsOf(reference.calls));
    }
    static void TearDownTestSuite()
    {
        delete chains;
        delete drawn;
    }

    // Every pixel of the picture has the colour the window was given for the
    // last chain that reaches it. Returns how many pixels an earlier chain of
    // another colour reached first.
    static long expectEveryPixelShowsItsLastChain(const RecordingSurface& window)
    {
        const std::vector<Colour> indices = chainIndices(window.calls);
        long overpainted = 0;
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                const Colour last = render::palette[item(indices, item(item(chains->lastChain, row), column))];
                const Colour first = render::palette[item(indices, item(item(chains->firstChain, row), column))];
                EXPECT_EQ(window.picture.pixel(column, row), last) << "row " << row << ", column " << column;
                if (::testing::Test::HasFailure())
                    return overpainted;
                overpainted += first != last;
            }
        }
        return overpainted;
    }

    static inline RecordingSurface* drawn = nullptr;
    static inline Chains* chains = nullptr;
};

struct ClockCase : tablerows::Named {
    render::Clock clock;
};

class SameAsTranscription : public ::testing::TestWithParam<ClockCase> {};

TEST_P(SameAsTranscription, ColourForColourAndPixelForPixel)
{
    RecordingSurface drawn;
    RecordingSurface reference;
    render::draw(drawn, GetParam().clock);
    transcription::draw(reference, GetParam().clock);

    const std::vector<Colour> drawnIndices = chainIndices(drawn.calls);
    const std::vector<Colour> referenceIndices = chainIndices(reference.calls);
    ASSERT_EQ(drawnIndices.size(), referenceIndices.size());
    const auto [mismatch, _] = std::mismatch(drawnIndices.begin(), drawnIndices.end(), referenceIndices.begin());
    EXPECT_TRUE(mismatch == drawnIndices.end()) << "first different chain: #" << (mismatch - drawnIndices.begin());
    EXPECT_TRUE(drawn.picture.pixels() == reference.picture.pixels());
    EXPECT_EQ(drawn.color(), reference.color());
}

INSTANTIATE_TEST_SUITE_P(Clocks, SameAsTranscription,
                         ::testing::Values(ClockCase{"Midnight", at<0, 0, 0, 0>}, ClockCase{"Morning", at<7, 3, 9, 42>},
                                           ClockCase{"Noon", at<12, 0, 0, 0>},
                                           ClockCase{"Afternoon", at<12, 34, 56, 789>},
                                           ClockCase{"LastMillisecondOfTheDay", at<23, 59, 59, 999>}),
                         tablerows::byName);

// The renderer's own count; the reference's figures are tests/reference_test.cpp's.
TEST_F(Drawn, StartsTheKnownNumberOfChains)
{
    EXPECT_EQ(chainIndices(drawn->calls).size(), 77163u);
}

TEST_F(Drawn, RowsWithoutTheEmblemRepeatEveryFlatLink)
{
    for (int row = 0; row < height; ++row) {
        if (!isFlatRow(row))
            continue;
        for (int column = flatLink; column < width; ++column)
            ASSERT_EQ(drawn->picture.pixel(column, row), drawn->picture.pixel(column - flatLink, row))
                << "row " << row << ", column " << column;
    }
}

TEST_F(Drawn, EveryPixelShowsTheLastChainToReachIt)
{
    // Where two chains of different colours reach a pixel, the earlier one must not show.
    EXPECT_GT(expectEveryPixelShowsItsLastChain(*drawn), 0);
}

TEST_F(Drawn, AnotherSeedGivesTheSameChainsInOtherColours)
{
    RecordingSurface other;
    render::draw(other, at<12, 34, 56, 790>);
    expectEveryPixelShowsItsLastChain(other);

    const std::vector<Colour> indices = chainIndices(drawn->calls);
    const std::vector<Colour> otherIndices = chainIndices(other.calls);
    ASSERT_EQ(otherIndices.size(), indices.size());
    long same = 0;
    for (std::size_t i = 0; i < indices.size(); ++i)
        same += indices[i] == otherIndices[i];
    EXPECT_LT(same, long(indices.size() / 4));
}

TEST_F(Drawn, BackgroundKeepsTheLastChainsIndex)
{
    const std::vector<Colour> indices = chainIndices(drawn->calls);
    ASSERT_FALSE(indices.empty());
    EXPECT_EQ(drawn->color(), indices.back());
    EXPECT_NE(drawn->color(), RecordingSurface::buttonFace);
    // All eight colours come up, in roughly equal shares.
    std::map<Colour, long> uses;
    for (Colour index : indices) {
        ASSERT_TRUE(render::isPaletteIndex(index)) << index;
        ++uses[index];
    }
    EXPECT_EQ(uses.size(), 8u);
    const double share = double(indices.size()) / render::paletteSize;
    for (const auto& [index, count] : uses)
        EXPECT_NEAR(static_cast<double>(count), share, share / 5) << "index " << index;
}

TEST_F(Drawn, TheEmblemCanBeReadBack)
{
    const EmblemReading reading = readEmblem([](int column, int row) { return drawn->picture.pixel(column, row); });
    EXPECT_TRUE(reading.readsBack()) << reading.summary();
}

TEST(Renderer, ReadsTheClockOnceAndLeavesTheSeedWhereTheDrawingEnds)
{
    static int clockReads = 0;
    clockReads = 0;
    RecordingSurface drawn;
    render::draw(drawn, [] {
        ++clockReads;
        return render::TimeOfDay{7, 3, 9, 42};
    });
    EXPECT_EQ(clockReads, 1);

    RecordingSurface reference;
    transcription::draw(reference, at<7, 3, 9, 42>);
    EXPECT_EQ(render::randomSource().seed, transcription::seed);
}

TEST(Renderer, TheFirstChainsColourReachesTheWindowBeforeAnyPixel)
{
    RecordingSurface drawn;
    render::draw(drawn, at<12, 34, 56, 789>);
    ASSERT_FALSE(drawn.calls.empty());
    EXPECT_EQ(drawn.calls.front().kind, Call::Color);
}

// A window that hands back its own colour, whatever it is told.
class ForgetfulWindow {
public:
    void setPixel(int column, int row, Colour colour) { picture.setPixel(column, row, colour); }
    void setColor(Colour) {}
    Colour color() const { return RecordingSurface::buttonFace; }
    render::MemorySurface picture{width, height, RecordingSurface::buttonFace};
};

TEST(Renderer, AWindowThatKeepsItsOwnColourStillGetsPaletteDots)
{
    ForgetfulWindow window;
    render::draw(window, at<12, 34, 56, 789>);
    RecordingSurface reference;
    render::draw(reference, at<12, 34, 56, 789>);
    EXPECT_TRUE(window.picture.pixels() == reference.picture.pixels());
}

struct OutsideCase : tablerows::Named {
    int column;
    int row;
};

class WriteOutsideThePicture : public ::testing::TestWithParam<OutsideCase> {};

TEST_P(WriteOutsideThePicture, ChangesNothing)
{
    render::MemorySurface picture(width, height, 0);
    const auto before = picture.pixels();
    picture.setPixel(GetParam().column, GetParam().row, 0);
    EXPECT_TRUE(picture.pixels() == before);
}

INSTANTIATE_TEST_SUITE_P(Surface, WriteOutsideThePicture,
                         ::testing::Values(OutsideCase{"OnePastTheLastColumn", 800, 0},
                                           OutsideCase{"OnePastTheLastRow", 0, 600},
                                           OutsideCase{"LeftOfTheFirstColumn", -1, 10},
                                           OutsideCase{"AboveTheFirstRow", 10, -1},
                                           OutsideCase{"FarAway", 1 << 30, 1 << 30}),
                         tablerows::byName);

TEST(MemorySurface, StartsWhiteAndStoresWhatItIsGiven)
{
    render::MemorySurface picture(width, height, RecordingSurface::buttonFace);
    EXPECT_EQ(picture.pixel(0, 0), render::MemorySurface::white);
    EXPECT_EQ(picture.pixel(799, 599), render::MemorySurface::white);
    picture.setPixel(799, 599, 0x00800080);
    EXPECT_EQ(picture.pixel(799, 599), 0x00800080u);
    EXPECT_EQ(picture.color(), RecordingSurface::buttonFace);
    picture.setColor(5);
    EXPECT_EQ(picture.color(), 5u);
}

} // namespace
