// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

// The real program's first start as a user sees it: one window, framed by the
// window manager where the program asked, with the picture and the button on
// the screen. The picture's making is the renderer's tests
// (tests/renderer_test.cpp) and the window's (tests/window_test.cpp); the
// checks here ask only that it reached the screen whole: dot colours, the
// repeat, the emblem.
namespace e2e {
namespace {

// The program's visible windows: those whose _NET_WM_PID is its process id.
std::vector<xcb_window_t> visibleWindowsOf(const Program& program)
{
    xquery::Connection& x = program.display().x();
    std::vector<xcb_window_t> windows;
    for (const xcb_window_t window : x.allWindows()) {
        const std::optional<xquery::Property> pid = x.property(window, "_NET_WM_PID");
        const std::optional<xquery::Geometry> where = x.geometry(window);
        if (pid && pid->values == std::vector<std::uint32_t>{std::uint32_t(program.pid())} && where && where->viewable)
            windows.push_back(window);
    }
    return windows;
}

std::string ids(const std::vector<xcb_window_t>& windows)
{
    QStringList ids;
    for (const xcb_window_t window : windows)
        ids << toolId(window);
    return ids.join(QLatin1Char(' ')).toStdString();
}

// One start of the program and all that it shows first, checked in turn; a
// check that fails names itself, and the others still run.
TEST(FreshStart, ShowsOneFramedWindowWithThePictureAndTheButton)
{
    Display display;
    Program program(display);
    const FirstView first = firstView(program);
    const std::vector<xcb_window_t> visibleWindows = visibleWindowsOf(program);
    const std::optional<xquery::Property> title = program.property("_NET_WM_NAME");
    const QImage& screenshot = first.view.screenshot;
    const QRect& client = first.geometry().client;

    {
        SCOPED_TRACE("one window, captioned Form1");
        EXPECT_EQ(ids(visibleWindows), ids({program.windowId()}));
        EXPECT_EQ(title ? title->bytes : "(none)", "Form1");
    }
    {
        SCOPED_TRACE("the frame sits at (192, 120) with outer size 873x735");
        const WindowGeometry& geometry = first.geometry();
        EXPECT_GT(geometry.frameExtents.top(), 0) << "no title bar: the window manager did not frame the window";
        EXPECT_EQ(describe(geometry.frame()), describe(expectedFrame))
            << "client area " << describe(geometry.client) << ", frame extents left " << geometry.frameExtents.left()
            << " right " << geometry.frameExtents.right() << " top " << geometry.frameExtents.top() << " bottom "
            << geometry.frameExtents.bottom();
    }
    {
        SCOPED_TRACE("every picture pixel is a dot colour");
        EXPECT_TRUE(allPaletteColours(first.picture));
    }
    {
        SCOPED_TRACE("the top and bottom bands repeat every 120 columns");
        EXPECT_TRUE(repeatsEvery120(first.picture));
    }
    {
        SCOPED_TRACE("the emblem reads back");
        EXPECT_TRUE(emblemReadsBack(first.picture));
    }
    {
        SCOPED_TRACE("the client area around the controls is one near-black red");
        EXPECT_TRUE(isNearBlackRed(first.background));
        EXPECT_TRUE(backgroundAround(screenshot, client, first.background, first.button));
    }
    {
        SCOPED_TRACE("the button covers its bounds");
        EXPECT_TRUE(buttonFillsItsBounds(screenshot, client, first.background, first.button));
    }
}

} // namespace
} // namespace e2e
