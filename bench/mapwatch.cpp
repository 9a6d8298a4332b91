// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// startup-probe: launches a program and reports how long it takes until its
// window is on screen, then closes it and reports its peak resident memory.
//
//   startup-probe [-n NAME] [-t SECONDS] [-s MILLISECONDS] PROGRAM [ARGUMENT...]
//
// "On screen" means viewable: the top-level window whose WM_NAME (or
// _NET_WM_NAME) is NAME (default Form1) and every ancestor of it, the window
// manager's frame included, are mapped. The clock starts just before fork()
// and stops when the MapNotify that completes this is read from the server,
// so the frame's MapNotify counts when the window manager maps the client
// first and the frame after, as openbox does. -s is how long the window is
// left up before WM_DELETE_WINDOW is sent (default 250 ms), so that the peak
// memory includes painting it; -t limits each wait (default 30 s).
//
// The program is started with STARTUP_PROBE_LAUNCHED_NS, the launch instant in
// nanoseconds on CLOCK_MONOTONIC, for programs that time their own stages
// from it (bench/stagemark.h).
//
// The program's standard output goes to standard error; standard output gets
// one line of key=value pairs:
//   mapped_ms=  launch to viewable, milliseconds
//   maxrss_kib= the program's peak resident set, wait4()'s ru_maxrss
//   frame=      the outermost window's geometry, WxH+X+Y, after the settle time
//   close_ms=   WM_DELETE_WINDOW to exit, milliseconds
//   closed_by=  wm_delete, sigterm or sigkill
//   status=     exit status, or the signal as sigN
// Exit status 0 when all of that happened; otherwise a message on standard
// error and a non-zero status.

#include "xquery.h"

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

enum Failure { usageError = 2, displayError = 3, launchError = 4, notMapped = 5, diedEarly = 6, notReaped = 7 };

[[noreturn]] void fail(int status, const std::string& message)
{
    std::fprintf(stderr, "startup-probe: %s\n", message.c_str());
    std::exit(status);
}

double millisecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The probe's questions to the X server, on the connection to DISPLAY.
class Display {
public:
    Display()
    {
        if (m_x.broken())
            fail(displayError, "cannot connect to the X display");
    }

    xcb_connection_t* connection() const { return m_x.get(); }
    xcb_window_t root() const { return m_x.root(); }
    int fd() const { return m_x.fileDescriptor(); }
    bool broken() const { return m_x.broken(); }

    // Returns once the server has applied it: nothing created after this is missed.
    void selectEvents(xcb_window_t window, uint32_t mask)
    {
        m_x.selectEvents(window, mask); // false when the window is gone already
    }

    bool hasName(xcb_window_t window, const std::string& name) { return m_x.named(window, name); }

    bool viewable(xcb_window_t window)
    {
        const std::optional<xquery::Geometry> where = m_x.geometry(window);
        return where && where->viewable;
    }

    // The child of the root that holds `window`: the frame, under a window manager that reparents.
    std::string outerGeometry(xcb_window_t window)
    {
        const std::optional<xquery::Geometry> outer = m_x.outerGeometry(window);
        if (!outer)
            return "?";
        char text[64];
        std::snprintf(text, sizeof text, "%dx%d%+d%+d", outer->width, outer->height, outer->x, outer->y);
        return text;
    }

    void sendDeleteWindow(xcb_window_t window) { m_x.sendDeleteWindow(window); }

private:
    xquery::Connection m_x;
};

struct Options {
    std::string name = "Form1";
    std::chrono::milliseconds timeout{30000};
    std::chrono::milliseconds settle{250};
    char** command = nullptr;
};

Options parse(int argc, char** argv)
{
    Options options;
    int opt;
    while ((opt = getopt(argc, argv, "+n:t:s:")) != -1) {
        switch (opt) {
        case 'n':
            options.name = optarg;
            break;
        case 't':
            options.timeout = std::chrono::milliseconds(long(std::atof(optarg) * 1000));
            break;
        case 's':
            options.settle = std::chrono::milliseconds(std::atol(optarg));
            break;
        default:
            fail(usageError, "usage: startup-probe [-n NAME] [-t SECONDS] [-s MILLISECONDS] PROGRAM [ARGUMENT...]");
        }
    }
    if (optind >= argc)
        fail(usageError, "usage: startup-probe [-n NAME] [-t SECONDS] [-s MILLISECONDS] PROGRAM [ARGUMENT...]");
    options.command = argv + optind;
    return options;
}

struct Ended {
    int status = 0;
    rusage usage{};
};

std::optional<Ended> reapIfEnded(pid_t child)
{
    Ended ended;
    const pid_t result = wait4(child, &ended.status, WNOHANG, &ended.usage);
    if (result == child)
        return ended;
    if (result < 0)
        fail(notReaped, std::string("wait4: ") + std::strerror(errno));
    return std::nullopt;
}

std::optional<Ended> waitForEnd(pid_t child, std::chrono::milliseconds limit)
{
    const auto giveUp = Clock::now() + limit;
    do {
        if (auto ended = reapIfEnded(child))
            return ended;
        usleep(1000);
    } while (Clock::now() < giveUp);
    return std::nullopt;
}

std::string describe(int status)
{
    if (WIFEXITED(status))
        return std::to_string(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return "sig" + std::to_string(WTERMSIG(status));
    return "?";
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = parse(argc, argv);
    Display display;

    // Every top-level window created from now on, the frames among them.
    display.selectEvents(display.root(), XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
    std::vector<xcb_window_t> topLevels;

    std::fflush(nullptr);
    const auto launched = Clock::now();
    // The launch instant, on the same clock, for programs that report their own stages.
    const std::string launchedNs =
        std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(launched.time_since_epoch()).count());
    setenv("STARTUP_PROBE_LAUNCHED_NS", launchedNs.c_str(), 1);
    const pid_t child = fork();
    if (child < 0)
        fail(launchError, std::string("fork: ") + std::strerror(errno));
    if (child == 0) {
        close(display.fd());
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(options.command[0], options.command);
        std::fprintf(stderr, "startup-probe: cannot run %s: %s\n", options.command[0], std::strerror(errno));
        _exit(127);
    }

    auto isShown = [&](xcb_window_t window) {
        return display.viewable(window) && display.hasName(window, options.name);
    };
    auto findShown = [&]() -> xcb_window_t {
        for (const xcb_window_t window : topLevels)
            if (isShown(window))
                return window;
        return XCB_WINDOW_NONE;
    };

    xcb_window_t shown = XCB_WINDOW_NONE;
    Clock::time_point mapped;
    const auto giveUp = launched + options.timeout;
    while (shown == XCB_WINDOW_NONE) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(display.connection())) {
            const auto received = Clock::now();
            switch (event->response_type & 0x7f) {
            case XCB_CREATE_NOTIFY: {
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                if (created->parent == display.root()) {
                    // Its own map, inside a frame, is only reported to those watching it.
                    display.selectEvents(created->window, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
                    topLevels.push_back(created->window);
                    // It may have been mapped before the line above took effect.
                    if (isShown(created->window))
                        shown = created->window;
                }
                break;
            }
            case XCB_MAP_NOTIFY:
                shown = findShown();
                break;
            default:
                break;
            }
            free(event);
            if (shown != XCB_WINDOW_NONE) {
                mapped = received;
                break;
            }
        }
        if (shown != XCB_WINDOW_NONE)
            break;
        if (display.broken())
            fail(displayError, "lost the connection to the X display");
        if (auto ended = reapIfEnded(child))
            fail(diedEarly,
                 std::string(options.command[0]) + " ended (status " + describe(ended->status)
                     + ") before a window named " + options.name + " was shown");
        const auto now = Clock::now();
        if (now >= giveUp) {
            kill(child, SIGKILL);
            waitForEnd(child, std::chrono::seconds(5));
            fail(notMapped,
                 "no window named " + options.name + " was shown within " + std::to_string(options.timeout.count())
                     + " ms");
        }
        pollfd watched{display.fd(), POLLIN, 0};
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(giveUp - now).count();
        poll(&watched, 1, int(std::min<long long>(left, 10))); // short, to notice the program ending
    }

    // Where the frame is once the window has settled: a window manager that
    // tells its frame only after the map has the program resize the window then.
    std::string frame = display.outerGeometry(shown);
    std::optional<Ended> ended = waitForEnd(child, options.settle);
    if (!ended)
        frame = display.outerGeometry(shown);
    std::string closedBy = "itself";
    const auto closing = Clock::now();
    if (!ended) {
        closedBy = "wm_delete";
        display.sendDeleteWindow(shown);
        ended = waitForEnd(child, options.timeout);
    }
    if (!ended) {
        closedBy = "sigterm";
        kill(child, SIGTERM);
        ended = waitForEnd(child, std::chrono::seconds(5));
    }
    if (!ended) {
        closedBy = "sigkill";
        kill(child, SIGKILL);
        ended = waitForEnd(child, std::chrono::seconds(5));
    }
    if (!ended)
        fail(notReaped, "the program could not be ended");
    const auto closed = Clock::now();

    std::printf("mapped_ms=%.3f maxrss_kib=%ld frame=%s close_ms=%.3f closed_by=%s status=%s\n",
                millisecondsBetween(launched, mapped), ended->usage.ru_maxrss, frame.c_str(),
                millisecondsBetween(closing, closed), closedBy.c_str(), describe(ended->status).c_str());
    return 0;
}
