// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"

#include <gtest/gtest.h>

// The program on the second screen of a display whose screens differ: the
// screen DISPLAY names is the one it checks, asks its window manager about
// and shows its window on. Only a real X server has several screens; what the
// one line says is fatalline_test.cpp's, the frame under one screen
// window_e2e_test.cpp's and windowmanagers_e2e_test.cpp's.
namespace e2e {
namespace {

const QString eightBits = QStringLiteral("1280x1024x8");
const QString trueColour = QStringLiteral("1280x1024x24");
constexpr int secondScreen = 1;

TEST(SecondScreen, InTrueColourBesideAnEightBitFirstShowsThePictureInItsFrame)
{
    Display display({eightBits, trueColour}, secondScreen);
    display.setXftDpi(designDotsPerInch);
    Program program(display);
    const FirstView first = firstView(program);
    const WindowGeometry& geometry = first.geometry();

    EXPECT_GT(geometry.frameExtents.top(), 0) << "no title bar: the window manager did not frame the window";
    EXPECT_EQ(describe(geometry.frame()), describe(expectedFrame)) << "client area " << describe(geometry.client);
    EXPECT_TRUE(allPaletteColours(first.picture));
    EXPECT_TRUE(emblemReadsBack(first.picture));
}

TEST(SecondScreen, InEightBitsBesideATrueColourFirstSaysSoInOneLine)
{
    Display display({trueColour, eightBits}, secondScreen);
    Launch inEnglish;
    inEnglish.set = {{QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8")}};
    inEnglish.unset = {QStringLiteral("LANGUAGE")};
    Program program(display, QStringLiteral(STEREOGRAM_PROGRAM), {}, inEnglish);
    ASSERT_TRUE(program.waitForExit(Program::windowTimeout)) << "still running: it did not check its own screen";
    const QString errors = program.errorOutput();
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "crashed";
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_EQ(errors.count(QLatin1Char('\n')), 1) << errors.toStdString();
    EXPECT_TRUE(errors.endsWith(QLatin1Char('\n'))) << errors.toStdString();
    EXPECT_TRUE(errors.contains(QStringLiteral("the screen has 8-bit colour"))) << errors.toStdString();
}

} // namespace
} // namespace e2e
