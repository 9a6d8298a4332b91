// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"

#include <gtest/gtest.h>

#include <QFile>

#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <xcb/xcb.h>

namespace e2e {
namespace {

Launch withArguments(const QStringList& arguments)
{
    Launch launch;
    launch.arguments = arguments;
    return launch;
}

// Every top-level window mapped on a display from the watch's start: the
// frames a window manager puts around windows, and windows it does not frame.
class MapWatch {
public:
    explicit MapWatch(const Display& display)
        : m_connection(xcb_connect(display.name().toLocal8Bit().constData(), nullptr))
    {
        if (xcb_connection_has_error(m_connection))
            throw Failure("cannot watch the display " + display.name().toStdString());
        const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        xcb_discard_reply(
            m_connection,
            xcb_change_window_attributes_checked(m_connection, root, XCB_CW_EVENT_MASK, &events).sequence);
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }
    ~MapWatch() { xcb_disconnect(m_connection); }
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;

    // The windows mapped up to now.
    std::vector<xcb_window_t> mapped()
    {
        // A round trip: whatever the server did before answering has been reported.
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
            if ((event->response_type & ~0x80) == XCB_MAP_NOTIFY)
                m_mapped.push_back(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
            std::free(event);
        }
        return m_mapped;
    }

private:
    xcb_connection_t* m_connection;
    std::vector<xcb_window_t> m_mapped;
};

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

TEST(StartRequest, IconicStartsMinimisedAndInactiveWithoutEverShowingTheWindow)
{
    Display display;
    MapWatch watch(display);
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
    EXPECT_EQ(watch.mapped().size(), 0u) << "a window was mapped, so it showed before it was minimised";

    // Restored, it stands where the layout puts a window shown normal.
    display.check(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-a"), program.window()});
    const WindowGeometry restored =
        program.waitForGeometry([](const WindowGeometry& g) { return g.viewable && g.frame() == expectedFrame; });
    EXPECT_TRUE(restored.viewable);
    EXPECT_EQ(describe(restored.frame()), describe(expectedFrame));
    EXPECT_FALSE(watch.mapped().empty());
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
