// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"

#include <gtest/gtest.h>

#include <QFile>

#include <sstream>
#include <string>
#include <thread>

namespace e2e {
namespace {

Launch withArguments(const QStringList& arguments)
{
    Launch launch;
    launch.arguments = arguments;
    return launch;
}

QByteArray windowState(const Program& program)
{
    return program.display().check(
        QStringLiteral("xprop"),
        {QStringLiteral("-id"), program.window(), QStringLiteral("WM_STATE"), QStringLiteral("_NET_WM_STATE")});
}

TEST(StartRequest, MaximizedShowsTheWindowMaximisedWithThePictureInPlace)
{
    Display display;
    Program program(display, withArguments({QStringLiteral("-maximized")}));
    const FirstView first = firstView(program);
    const QByteArray state = windowState(program);
    EXPECT_TRUE(state.contains("_NET_WM_STATE_MAXIMIZED_VERT") && state.contains("_NET_WM_STATE_MAXIMIZED_HORZ"))
        << state.toStdString();
    EXPECT_GT(first.geometry().frame().width(), expectedFrame.width());
    EXPECT_GT(first.geometry().frame().height(), expectedFrame.height());
    EXPECT_TRUE(allPaletteColours(first.picture));
    EXPECT_TRUE(emblemReadsBack(first.picture));
    EXPECT_TRUE(backgroundAround(first.view.screenshot, first.geometry().client, first.background, first.button));
}

TEST(StartRequest, IconicStartsMinimisedAndInactive)
{
    Display display;
    Launch launch = withArguments({QStringLiteral("-iconic")});
    launch.visible = false;
    Program program(display, launch);
    QByteArray state;
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!(state = windowState(program)).contains("Iconic") && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(state.contains("window state: Iconic")) << state.toStdString();
    EXPECT_FALSE(program.geometry().viewable);
    const QByteArray active = display.run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}).out.trimmed();
    EXPECT_NE(QStringLiteral("0x") + QString::number(active.toULongLong(), 16), program.window());
    EXPECT_TRUE(program.running());
}

TEST(StartRequest, TheToolkitsOwnOptionsDoNothing)
{
    QTemporaryDir files;
    ASSERT_TRUE(files.isValid());
    const QString styleSheet = files.filePath(QStringLiteral("tinted.qss"));
    QFile sheet(styleSheet);
    ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
    // A tint nothing of the program's own is painted in.
    sheet.write("* { background: #13579b; color: #13579b; }\n");
    sheet.close();

    Display display;
    // Started captioned anything but Form1, the program's window would not be found.
    Program program(display,
                    withArguments({QStringLiteral("-title"), QStringLiteral("X"), QStringLiteral("-geometry"),
                                   QStringLiteral("300x200+10+10"), QStringLiteral("-stylesheet"), styleSheet,
                                   QStringLiteral("-style"), QStringLiteral("windows"), QStringLiteral("-reverse")}));
    const FirstView first = firstView(program);
    EXPECT_EQ(describe(first.geometry().frame()), describe(expectedFrame));
    EXPECT_TRUE(backgroundAround(first.view.screenshot, first.geometry().client, first.background, first.button));
    const QImage client = cut(first.view.screenshot, first.geometry().client.topLeft(),
                              QRect(QPoint(0, 0), first.geometry().client.size()));
    long tinted = 0;
    for (int y = 0; y < client.height(); ++y)
        for (int x = 0; x < client.width(); ++x)
            tinted += (client.pixel(x, y) & 0xFFFFFFu) == 0x13579Bu;
    EXPECT_EQ(tinted, 0) << "the style sheet took effect";
    EXPECT_TRUE(buttonFillsItsBounds(first.view.screenshot, first.geometry().client, first.background, first.button));
}

} // namespace
} // namespace e2e
