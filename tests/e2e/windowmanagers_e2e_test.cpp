// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <optional>

// The frame where the layout puts it under each kind of window manager: one
// that tells its frame before the window is mapped (openbox, icewm, xfwm4,
// metacity), one that tells it only once the window is mapped (fluxbox, fvwm,
// awesome), one without EWMH that only reparents the window into its frame
// (twm); and the window closing through each manager's own shortcut where it
// binds one, or its close request. Every other e2e test runs under openbox.
namespace e2e {
namespace {

struct Manager : tablerows::Named {
    const char* command; // as VIRTUAL_DISPLAY_WM names it
    // Its stock shortcut that closes the active window (xdotool key names);
    // null where it binds none.
    const char* closeShortcut;
    bool ewmh = true; // takes wmctrl's close request
};

const Manager managers[] = {
    {"OpenboxTellingItsFrameBeforeTheMap", "openbox", "alt+F4"},
    {"IcewmTellingItsFrameBeforeTheMap", "icewm", "alt+F4"},
    {"Xfwm4TellingItsFrameBeforeTheMap", "xfwm4", "alt+F4"},
    {"MetacityTellingItsFrameBeforeTheMap", "metacity", "alt+F4"},
    {"FluxboxTellingItsFrameOnlyOnceMapped", "fluxbox", "alt+F4"},
    {"FvwmTellingItsFrameOnlyOnceMapped", "fvwm", nullptr},
    {"AwesomeTellingItsFrameOnlyOnceMapped", "awesome", "super+shift+c"},
    {"TwmWithoutEwmhReparentingIntoItsFrame", "twm", nullptr, false},
};

constexpr int shortcutPresses = 5;
constexpr auto shortcutWait = 2s;

std::string extents(const WindowGeometry& geometry)
{
    const QMargins& m = geometry.frameExtents;
    return "client area " + describe(geometry.client) + ", frame left " + std::to_string(m.left()) + " top "
        + std::to_string(m.top()) + " right " + std::to_string(m.right()) + " bottom " + std::to_string(m.bottom());
}

class UnderWindowManager : public testing::TestWithParam<Manager> {};

TEST_P(UnderWindowManager, FramesTheWindowAtItsPlaceWithThePictureAndCloses)
{
    const Manager& manager = GetParam();
    Display display(QString::fromLatin1(manager.command));
    Program program(display);

    const WindowGeometry settled = program.waitForGeometry(
        [](const WindowGeometry& geometry) { return geometry.viewable && geometry.frame() == expectedFrame; });
    EXPECT_EQ(describe(settled.frame()), describe(expectedFrame)) << extents(settled);
    EXPECT_GT(settled.frameExtents.top(), 0) << "no title bar: the window manager did not frame the window";

    const FirstView first = firstView(program);
    EXPECT_EQ(describe(first.geometry().frame()), describe(expectedFrame)) << extents(first.geometry());
    EXPECT_TRUE(allPaletteColours(first.picture));
    EXPECT_TRUE(emblemReadsBack(first.picture));
    EXPECT_TRUE(backgroundAround(first.view.screenshot, first.geometry().client, first.background, first.button));

    if (manager.closeShortcut) {
        // The manager grabs its shortcuts some time after it has started
        // managing windows: the press is repeated while the program runs.
        for (int press = 0; press < shortcutPresses && program.running(); ++press) {
            program.type(QString::fromLatin1(manager.closeShortcut));
            program.waitForExit(shortcutWait);
        }
    } else if (manager.ewmh) {
        display.check(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), program.window()});
    } else {
        program.click(first.button.center());
    }
    ASSERT_TRUE(program.waitForExit(10s)) << "still running 10 s after the close";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << program.errorOutput().toStdString();
    EXPECT_EQ(program.exitCode(), 0) << program.errorOutput().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Manager, UnderWindowManager, testing::ValuesIn(managers), tablerows::byName);

} // namespace
} // namespace e2e
