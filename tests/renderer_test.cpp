#include "emblemdecoder.h"
#include "recordingsurface.h"
#include "transcription.h"

#include "render/memorysurface.h"
#include "render/palette.h"
#include "render/renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

using render::Colour;
using Call = RecordingSurface::Call;

constexpr int width = 800;
constexpr int height = 600;

template <int H, int M, int S, int MS>
render::TimeOfDay at()
{
    return {H, M, S, MS};
}

// What the calls say about the chains of one picture.
struct Chains {
    long started = 0;
    long visits = 0;
    long pixelsReachedMoreThanOnce = 0;
    std::vector<std::vector<int>> startsByRow = std::vector<std::vector<int>>(height);
    // Start column of the last chain to reach each pixel, by row and column.
    std::vector<std::vector<int>> lastChain =
        std::vector<std::vector<int>>(height, std::vector<int>(width + 1, -1));
    std::vector<Colour> chainIndices;
};

Chains chainsOf(const std::vector<Call>& calls)
{
    Chains chains;
    std::vector<std::vector<int>> reached(height, std::vector<int>(width + 1, 0));
    bool chainOpen = false;
    int start = -1;
    for (const Call& call : calls) {
        if (call.kind == Call::Color) {
            ++chains.started;
            chains.chainIndices.push_back(call.colour);
            chainOpen = true;
            continue;
        }
        ++chains.visits;
        if (chainOpen) {
            start = call.column;
            chains.startsByRow[call.row].push_back(start);
            chainOpen = false;
        }
        if (++reached[call.row][call.column] == 2)
            ++chains.pixelsReachedMoreThanOnce;
        chains.lastChain[call.row][call.column] = start;
    }
    return chains;
}

std::vector<int> columnsUpTo(int last)
{
    std::vector<int> columns(last + 1);
    for (int c = 0; c <= last; ++c)
        columns[c] = c;
    return columns;
}

bool isFlatRow(int row)
{
    return row <= 133 || row >= 505;
}

class Rendered : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        window = new RecordingSurface;
        render::draw(*window, at<12, 34, 56, 789>);
        chains = new Chains(chainsOf(window->calls));
    }
    static void TearDownTestSuite()
    {
        delete chains;
        delete window;
    }
    static inline RecordingSurface* window = nullptr;
    static inline Chains* chains = nullptr;
};

struct ClockCase {
    std::string name;
    render::Clock clock;
};

class SameAsTranscription : public ::testing::TestWithParam<ClockCase> {};

TEST_P(SameAsTranscription, CallForCallAndPixelForPixel)
{
    RecordingSurface fast;
    RecordingSurface reference;
    render::draw(fast, GetParam().clock);
    transcription::draw(reference, GetParam().clock);

    ASSERT_EQ(fast.calls.size(), reference.calls.size());
    const auto [mismatch, _] = std::mismatch(fast.calls.begin(), fast.calls.end(), reference.calls.begin());
    EXPECT_TRUE(mismatch == fast.calls.end())
        << "first different call: #" << (mismatch - fast.calls.begin());
    EXPECT_TRUE(fast.picture.pixels() == reference.picture.pixels());
    EXPECT_EQ(fast.color(), reference.color());
}

INSTANTIATE_TEST_SUITE_P(
    Seeds, SameAsTranscription,
    ::testing::Values(ClockCase{"Midnight", at<0, 0, 0, 0>},
                      ClockCase{"Afternoon", at<12, 34, 56, 789>},
                      ClockCase{"Morning", at<7, 3, 9, 42>},
                      ClockCase{"LastMillisecond", at<23, 59, 59, 999>}),
    [](const auto& info) { return info.param.name; });

// The figures come from the transcription; the chains do not depend on the seed.
TEST_F(Rendered, CountsOfAWholePicture)
{
    EXPECT_EQ(chains->started, 77163);
    EXPECT_EQ(chains->visits, 500507);
    EXPECT_EQ(chains->pixelsReachedMoreThanOnce, 19186);
}

TEST_F(Rendered, FlatRowsStart120ChainsThatRepeatEvery120Columns)
{
    for (int row = 0; row < height; ++row) {
        if (!isFlatRow(row))
            continue;
        EXPECT_EQ(chains->startsByRow[row], columnsUpTo(119)) << "row " << row;
        for (int column = 120; column < width; ++column)
            ASSERT_EQ(window->picture.pixel(column, row), window->picture.pixel(column - 120, row))
                << "row " << row << ", column " << column;
    }
}

TEST_F(Rendered, EveryRowStartsAtColumnZeroAndWalksToColumn800)
{
    std::vector<bool> reached800(height, false);
    for (const Call& call : window->calls)
        if (call.kind == Call::Pixel && call.column == width)
            reached800[call.row] = true;
    for (int row = 0; row < height; ++row) {
        ASSERT_FALSE(chains->startsByRow[row].empty());
        EXPECT_EQ(chains->startsByRow[row].front(), 0) << "row " << row;
        EXPECT_TRUE(reached800[row]) << "row " << row;
    }
}

TEST_F(Rendered, EmblemRowsStartMoreChains)
{
    for (int row = 134; row < 505; ++row)
        EXPECT_GT(chains->startsByRow[row].size(), 120u) << "row " << row;
}

TEST_F(Rendered, EveryPixelHasThePaletteColourOfTheLastChainToReachIt)
{
    std::map<int, Colour> chainColour; // by start column, within one row
    int row = -1;
    int start = -1;
    bool chainOpen = false;
    long checked = 0;
    for (const Call& call : window->calls) {
        if (call.kind == Call::Color) {
            chainOpen = true;
            continue;
        }
        if (call.row != row) {
            row = call.row;
            chainColour.clear();
        }
        if (chainOpen)
            start = call.column;
        chainOpen = false;
        chainColour[start] = call.colour;
        if (call.column < width && chains->lastChain[row][call.column] == start) {
            ASSERT_EQ(window->picture.pixel(call.column, row), call.colour);
            ++checked;
        }
    }
    EXPECT_EQ(checked, long{width} * height);

    for (int r = 0; r < height; ++r)
        for (int c = 0; c < width; ++c)
            ASSERT_TRUE(std::find(render::palette.begin() + 1, render::palette.end(),
                                  window->picture.pixel(c, r))
                        != render::palette.end());
}

TEST_F(Rendered, PixelsReachedTwiceShowTheLaterChain)
{
    std::vector<std::vector<int>> firstChain(height, std::vector<int>(width + 1, -1));
    bool chainOpen = false;
    int start = -1;
    long later = 0;
    for (const Call& call : window->calls) {
        if (call.kind == Call::Color) {
            chainOpen = true;
            continue;
        }
        if (chainOpen)
            start = call.column;
        chainOpen = false;
        int& first = firstChain[call.row][call.column];
        if (first < 0)
            first = start;
        else if (call.column < width) {
            EXPECT_GT(chains->lastChain[call.row][call.column], first);
            ++later;
        }
    }
    EXPECT_GT(later, 18000);
}

TEST_F(Rendered, BackgroundKeepsTheLastChainsIndex)
{
    ASSERT_FALSE(chains->chainIndices.empty());
    EXPECT_EQ(window->color(), chains->chainIndices.back());
    EXPECT_NE(window->color(), RecordingSurface::buttonFace);
    for (Colour index : chains->chainIndices)
        ASSERT_TRUE(render::isPaletteIndex(index)) << index;
    // All eight colours come up, in roughly equal shares.
    std::map<Colour, long> uses;
    for (Colour index : chains->chainIndices)
        ++uses[index];
    EXPECT_EQ(uses.size(), 8u);
    for (const auto& [index, count] : uses)
        EXPECT_NEAR(count, chains->started / 8.0, chains->started / 40.0) << "index " << index;
}

TEST_F(Rendered, TheEmblemCanBeReadBack)
{
    const EmblemReading reading = readEmblem(
        [](int column, int row) { return window->picture.pixel(column, row); });
    EXPECT_GT(reading.emblemPixels, 20000);
    EXPECT_GT(reading.emblemShortShare(), 0.95);
    EXPECT_LT(reading.emblemFlatShare(), 0.3);
    EXPECT_GT(reading.flatShare(), 0.97);
}

TEST(Renderer, TwoSeedsShareTheChainsButNotTheColours)
{
    RecordingSurface first;
    RecordingSurface second;
    render::draw(first, at<1, 2, 3, 4>);
    render::draw(second, at<1, 2, 3, 5>);
    ASSERT_EQ(first.calls.size(), second.calls.size());

    long sameColour = 0;
    for (std::size_t i = 0; i < first.calls.size(); ++i) {
        const Call& a = first.calls[i];
        const Call& b = second.calls[i];
        ASSERT_EQ(a.kind, b.kind) << "call #" << i;
        ASSERT_EQ(a.column, b.column) << "call #" << i;
        ASSERT_EQ(a.row, b.row) << "call #" << i;
        sameColour += a.colour == b.colour;
    }
    EXPECT_LT(sameColour, long(first.calls.size() / 4));
}

TEST(Renderer, SeedsFromTheClockOnceAndDrawsOnceForEveryChain)
{
    static int clockReads = 0;
    clockReads = 0;
    RecordingSurface window;
    render::draw(window, [] {
        ++clockReads;
        return render::TimeOfDay{0, 0, 0, 0};
    });
    EXPECT_EQ(clockReads, 1);

    render::RandomSource fromMidnight;
    const Chains chains = chainsOf(window.calls);
    for (Colour index : chains.chainIndices)
        ASSERT_EQ(index, fromMidnight.random(8) + 1);
    EXPECT_EQ(render::randomSource().seed, fromMidnight.seed);
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

struct OutsideCase {
    std::string name;
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

INSTANTIATE_TEST_SUITE_P(
    Surface, WriteOutsideThePicture,
    ::testing::Values(OutsideCase{"OnePastTheLastColumn", 800, 0},
                      OutsideCase{"OnePastTheLastRow", 0, 600},
                      OutsideCase{"LeftOfTheFirstColumn", -1, 10},
                      OutsideCase{"AboveTheFirstRow", 10, -1},
                      OutsideCase{"FarAway", 1 << 30, 1 << 30}),
    [](const auto& info) { return info.param.name; });

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
