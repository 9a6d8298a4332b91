// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"

#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// The start requests on the command line as the window manager carries them
// out: -maximized as _NET_WM_STATE, -iconic as WM_STATE Iconic without the
// window ever being mapped, and Qt's own options (-title, -geometry, -style,
// -stylesheet, -reverse) taking no effect. That start requests start the
// program rather than answer on the terminal is the unit table's
// (tests/commandline_test.cpp).
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
        : m_x(display.name().toLocal8Bit().constData())
    {
        // A connection of its own: the events come to it alone.
        if (m_x.broken() || !m_x.selectEvents(m_x.root(), XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY))
            throw Failure("cannot watch the display " + display.name().toStdString());
    }

    // The windows mapped up to now.
    std::vector<xcb_window_t> mapped()
    {
        m_x.roundTrip();
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_x.get())) {
            if ((event->response_type & ~0x80) == XCB_MAP_NOTIFY)
                m_mapped.push_back(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
            std::free(event);
        }
        return m_mapped;
    }

private:
    xquery::Connection m_x;
    std::vector<xcb_window_t> m_mapped;
};

// The ICCCM's WM_STATE: 1 normal, 3 iconic; 0 for none.
std::uint32_t iccmState(const Program& program)
{
    const std::optional<xquery::Property> state = program.property("WM_STATE");
    return state && !state->values.empty() ? state->values.front() : 0;
}
constexpr std::uint32_t iconicState = 3;

// Whether _NET_WM_STATE holds every one of `names`.
bool netState(const Program& program, std::initializer_list<std::string_view> names)
{
    const std::optional<xquery::Property> state = program.property("_NET_WM_STATE");
    if (!state)
        return false;
    for (const std::string_view name : names) {
        const xcb_atom_t wanted = program.display().x().atom(name);
        if (std::find(state->values.begin(), state->values.end(), wanted) == state->values.end())
            return false;
    }
    return true;
}

TEST(StartRequest, MaximizedShowsTheWindowMaximisedWithThePictureInPlace)
{
    Display display;
    Program program(display, withArguments({QStringLiteral("-maximized")}));
    const FirstView first = firstView(program);
    EXPECT_TRUE(netState(program, {"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ"}));
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
    std::uint32_t state = 0;
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while ((state = iccmState(program)) != iconicState && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(50ms);
    EXPECT_EQ(state, iconicState);
    EXPECT_FALSE(program.geometry().viewable);
    const std::optional<xquery::Property> active = display.x().property(display.x().root(), "_NET_ACTIVE_WINDOW");
    EXPECT_FALSE(active && active->values == std::vector<std::uint32_t>{program.windowId()}) << "it is active";
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
