// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace e2e {
namespace {

// The program's visible windows, as 0x...
QStringList visibleWindowsOf(const Program& program)
{
    const ToolOutput found = program.display().run(QStringLiteral("xdotool"),
                                                   {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                    QStringLiteral("--pid"), QString::number(program.pid())});
    QStringList windows;
    for (const QByteArray& id : found.out.trimmed().split('\n')) {
        if (!id.isEmpty())
            windows << QStringLiteral("0x") + QString::number(id.toULongLong(), 16);
    }
    return windows;
}

// One start of the program and all that it shows first, checked in turn; a
// check that fails names itself, and the others still run.
TEST(FreshStart, ShowsOneFramedWindowWithThePictureAndTheButton)
{
    Display display;
    Program program(display);
    const FirstView first = firstView(program);
    const QStringList visibleWindows = visibleWindowsOf(program);
    const QString title =
        QString::fromUtf8(display.check(QStringLiteral("xprop"),
                                        {QStringLiteral("-id"), program.window(), QStringLiteral("_NET_WM_NAME")}))
            .trimmed();
    const QImage& screenshot = first.view.screenshot;
    const QRect& client = first.geometry().client;

    {
        SCOPED_TRACE("one window, captioned Form1");
        EXPECT_EQ(visibleWindows, QStringList{program.window()})
            << "visible windows of the program: " << visibleWindows.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(title.endsWith(QStringLiteral("= \"Form1\""))) << title.toStdString();
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
