// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"

#include <gtest/gtest.h>

#include <QDir>

#include <sstream>
#include <string>

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

class Resolution : public testing::TestWithParam<int> {};

TEST_P(Resolution, PictureStays800x600At30x80AndTheButtonFollowsTheTextHeight)
{
    const int dotsPerInch = GetParam();
    Display display;
    display.setXftDpi(dotsPerInch);
    const TextMetrics metrics = measureText(display);
    ASSERT_EQ(metrics.dotsPerInch, dotsPerInch) << "the display does not announce its resolution";

    Program program(display);
    const FirstView first = firstView(program);
    const QImage& shot = first.view.screenshot;
    const QRect& client = first.geometry().client;
    if (const QByteArray keep = qgetenv("STEREOGRAM_E2E_SCREENSHOTS"); !keep.isEmpty())
        shot.save(QDir(QString::fromLocal8Bit(keep)).filePath(QStringLiteral("dpi-%1.png").arg(dotsPerInch)));

    EXPECT_EQ(describe(first.geometry().frame()), describe(expectedFrame));
    EXPECT_TRUE(allPaletteColours(first.picture));
    EXPECT_TRUE(emblemReadsBack(first.picture));
    const QRect button = scaledButton(metrics.textHeight);
    EXPECT_TRUE(backgroundFramesThePicture(shot, client, first.background, button));
    EXPECT_EQ(describe(buttonOnScreen(shot, client, first.background)), describe(button))
        << "text height " << metrics.textHeight;
    EXPECT_TRUE(backgroundAround(shot, client, first.background, button));
}

INSTANTIATE_TEST_SUITE_P(XftDpi, Resolution, testing::Values(96, 120, 144),
                         [](const testing::TestParamInfo<int>& row) { return std::to_string(row.param); });

} // namespace
} // namespace e2e
