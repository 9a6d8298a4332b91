// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"

#include <gtest/gtest.h>

#include <QDir>

#include <sstream>
#include <string>

// The layout on displays of three resolutions, as the X server announces
// them in Xft.dpi and fontconfig measures the window's face. The scaling rule
// itself is the unit table's (tests/layoutscaling_test.cpp); these rows show
// that the real program reads the resolution and measures the text it is
// given.
namespace e2e {
namespace {

// Background on every side of the picture, one pixel out, where the button is not.
testing::AssertionResult backgroundFramesThePicture(const QImage& shot, const QRect& client, QRgb background,
                                                    const QRect& button)
{
    const QRect ring = pictureBounds.adjusted(-1, -1, 1, 1);
    long others = 0;
    for (int x = ring.left(); x <= ring.right(); ++x) {
        for (int y : {ring.top(), ring.bottom()}) {
            if (!button.contains(x, y) && (shot.pixel(client.x() + x, client.y() + y) | 0xFF000000u) != background)
                ++others;
        }
    }
    for (int y = ring.top(); y <= ring.bottom(); ++y) {
        for (int x : {ring.left(), ring.right()}) {
            if ((shot.pixel(client.x() + x, client.y() + y) | 0xFF000000u) != background)
                ++others;
        }
    }
    if (others == 0)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << others << " pixels just outside the picture are not the background";
}

// The button where the layout puts it at each resolution, as designed: the
// window's face gives text exactly as high as its pixel size.
struct Row {
    int dotsPerInch;
    QRect button;
};

class Resolution : public testing::TestWithParam<Row> {};

TEST_P(Resolution, PictureStays800x600At30x80AndTheButtonFollowsTheTextHeight)
{
    const Row& row = GetParam();
    Display display;
    display.setXftDpi(row.dotsPerInch);
    ASSERT_EQ(measureText(display).dotsPerInch, row.dotsPerInch) << "the display does not announce its resolution";

    Program program(display);
    const FirstView first = firstView(program);
    const QImage& shot = first.view.screenshot;
    const QRect& client = first.geometry().client;
    if (const QByteArray keep = qgetenv("STEREOGRAM_E2E_SCREENSHOTS"); !keep.isEmpty())
        shot.save(QDir(QString::fromLocal8Bit(keep)).filePath(QStringLiteral("dpi-%1.png").arg(row.dotsPerInch)));

    EXPECT_EQ(describe(first.geometry().frame()), describe(expectedFrame));
    EXPECT_TRUE(allPaletteColours(first.picture));
    EXPECT_TRUE(emblemReadsBack(first.picture));
    EXPECT_TRUE(backgroundFramesThePicture(shot, client, first.background, row.button));
    EXPECT_EQ(describe(buttonOnScreen(shot, client, first.background)), describe(row.button));
    EXPECT_TRUE(backgroundAround(shot, client, first.background, row.button));
}

INSTANTIATE_TEST_SUITE_P(XftDpi, Resolution,
                         testing::Values(Row{96, QRect(109, 13, 77, 33)}, Row{120, QRect(136, 16, 97, 41)},
                                         Row{144, QRect(163, 19, 117, 49)}),
                         [](const testing::TestParamInfo<Row>& row) { return std::to_string(row.param.dotsPerInch); });

} // namespace
} // namespace e2e
