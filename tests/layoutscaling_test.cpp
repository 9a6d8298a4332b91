// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/window/layoutscaling.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

constexpr QRect image1Loaded(30, 80, 800, 600);
constexpr QRect bitBtn1Loaded(136, 16, 97, 41);

struct Screen : tablerows::Named {
    int pixelsPerInch;
    int fontPixelHeight;
    int textHeight; // as measured in that font
    QRect bitBtn1;
    QRect image1;
};

const Screen screens[] = {
    {"DesignResolutionKeepsTheLayout", 120, 15, 15, QRect(136, 16, 97, 41), QRect(30, 80, 800, 600)},
    {"At96DpiWithTextHeight12", 96, 12, 12, QRect(109, 13, 77, 33), QRect(24, 64, 640, 480)},
    {"At120DpiWithTextHeight16", 120, 15, 16, QRect(145, 17, 104, 44), QRect(32, 85, 853, 640)},
    {"At144DpiWithTextHeight19", 144, 18, 19, QRect(172, 20, 123, 52), QRect(38, 101, 1013, 760)},
    // The button reaches below row 80, over the top rows of the picture once it is back at (30, 80).
    {"TextHeight22BringsTheButtonOverThePicture", 192, 24, 22, QRect(199, 23, 143, 61), QRect(44, 117, 1173, 880)},
};

class LoadTimeScaling : public testing::TestWithParam<Screen> {};

TEST_P(LoadTimeScaling, FontFollowsTheResolutionAndControlsTheTextHeight)
{
    const Screen& screen = GetParam();
    EXPECT_EQ(layoutscaling::fontPixelHeight(screen.pixelsPerInch), screen.fontPixelHeight);
    EXPECT_EQ(layoutscaling::scaledBounds(bitBtn1Loaded, screen.textHeight), screen.bitBtn1);
    EXPECT_EQ(layoutscaling::scaledBounds(image1Loaded, screen.textHeight), screen.image1);
}

INSTANTIATE_TEST_SUITE_P(Screens, LoadTimeScaling, testing::ValuesIn(screens), tablerows::byName);

TEST(LoadTimeScaling, TheButtonCoversThePicturesTopRowsFromTextHeight22)
{
    for (int textHeight = 15; textHeight < 22; ++textHeight)
        EXPECT_LE(layoutscaling::scaledBounds(bitBtn1Loaded, textHeight).bottom(), 79) << "text height " << textHeight;
    EXPECT_GE(layoutscaling::scaledBounds(bitBtn1Loaded, 22).bottom(), 80);
}

TEST(LoadTimeScaling, FontHeightHalvesRoundAwayFromZero)
{
    EXPECT_EQ(layoutscaling::fontPixelHeight(100), 13); // 12.5
    EXPECT_EQ(layoutscaling::fontPixelHeight(92), 12);  // 11.5
    EXPECT_EQ(layoutscaling::fontPixelHeight(97), 12);  // 12.125
    EXPECT_EQ(layoutscaling::fontPixelHeight(103), 13); // 12.875
}

TEST(LoadTimeScaling, RoundedQuotientTakesHalvesAwayFromZero)
{
    EXPECT_EQ(layoutscaling::roundedQuotient(5, 2), 3);
    EXPECT_EQ(layoutscaling::roundedQuotient(-5, 2), -3);
    EXPECT_EQ(layoutscaling::roundedQuotient(7, 3), 2);
    EXPECT_EQ(layoutscaling::roundedQuotient(8, 3), 3);
    EXPECT_EQ(layoutscaling::roundedQuotient(-8, 3), -3);
}

} // namespace
