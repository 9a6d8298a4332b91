// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QImage>
#include <QMap>
#include <QMargins>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "xquery.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

// Runs the real program on a private X server with a real window manager,
// drives it with the usual X command-line tools and asks the X server itself
// what it shows. Anything that goes wrong on the way throws Failure, which the
// test reports with its message.
namespace e2e {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws Failure naming every required tool that is not on PATH.
void requireTools();

struct ToolOutput {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// An Xvfb server on a display number of its own, managed by openbox or
// another window manager, as scripts/virtual-display.sh starts them.
class Display {
public:
    // Starts both and returns once the window manager, named as
    // VIRTUAL_DISPLAY_WM names it, manages windows (openbox: answers requests).
    explicit Display(const QString& windowManager = QStringLiteral("openbox"));
    // As above, with one screen for each of `screens` (as Xvfb's -screen
    // takes them); name() and the window manager are on screen `shownOn`.
    Display(const QStringList& screens, int shownOn, const QString& windowManager = QStringLiteral("openbox"));
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    const QString& name() const { return m_name; }
    QProcessEnvironment environment() const;
    // The test's own connection to this display, for questions.
    xquery::Connection& x() const { return *m_x; }

    // Runs `tool` on this display to completion; throws if it has not finished
    // by `timeout`.
    ToolOutput run(const QString& tool, const QStringList& arguments, Millis timeout = 10s) const;
    // As run(), and throws unless it exits with status 0.
    QByteArray check(const QString& tool, const QStringList& arguments, Millis timeout = 10s) const;

    // The whole screen, as Format_RGB32.
    QImage screenshot() const;

    // Sets the X resource Xft.dpi, the desktop's logical resolution, for
    // programs started from now on.
    void setXftDpi(int dotsPerInch) const;

private:
    std::unique_ptr<QProcess> m_server; // virtual-display.sh
    QMap<QString, QString> m_variables; // what its clients need set
    QString m_name;
    std::unique_ptr<xquery::Connection> m_x;
};

// Where the window is: the client area (inside the frame) in screen
// coordinates, and the frame the window manager put around it: its
// _NET_FRAME_EXTENTS, or where it sets none, the window it reparented the
// client into, border included.
struct WindowGeometry {
    QRect client;
    QMargins frameExtents; // left, top, right, bottom
    bool viewable = false;

    QRect frame() const { return client.marginsAdded(frameExtents); }
    bool operator==(const WindowGeometry&) const = default;
};

// How the program is started: its command line, changes to its environment,
// and whether its window is to be waited for as visible.
struct Launch {
    QStringList arguments;
    QList<std::pair<QString, QString>> set; // variables set or replaced
    QStringList unset;                      // variables removed, after those set
    bool visible = true;
};

// The program under test, started on a display, with its window.
class Program {
public:
    // Starts the program and waits for its visible window captioned Form1.
    explicit Program(Display& display);
    // As above, started as `launch` says; with launch.visible false, waits for
    // its window captioned Form1 whether it is shown or not.
    Program(Display& display, const Launch& launch);
    // Starts the program from `path`, bytes that need not be valid UTF-8, and
    // waits for its visible window captioned Form1.
    Program(Display& display, const QByteArray& path);
    // Starts `executable` with `arguments`, in the environment `launch` asks
    // for, and waits for no window.
    Program(Display& display, const QString& executable, const QStringList& arguments, const Launch& launch = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Display& display() const { return m_display; }
    xcb_window_t windowId() const { return m_windowId; }
    const QString& window() const { return m_window; } // windowId(), as 0x... for the tools
    qint64 pid() const;
    // The window's property `name`; nothing when it has none.
    std::optional<xquery::Property> property(std::string_view name) const;

    WindowGeometry geometry() const;
    // Polls until `wanted` holds of the geometry; returns the last one read.
    WindowGeometry waitForGeometry(const std::function<bool(const WindowGeometry&)>& wanted, Millis timeout = 5s) const;

    // Gives the window the keyboard focus and types `keys` (xdotool key names).
    void type(const QString& keys);
    // Moves the pointer to `at`, a point in the client area, and clicks there.
    void click(QPoint at);

    // Waits for its window captioned Form1, visible unless `visibleOnly` is
    // false, which becomes window().
    void waitForWindow(bool visibleOnly = true);
    // Waits for the one window captioned exactly `caption`, visible unless
    // `visibleOnly` is false.
    xcb_window_t waitForWindowCaptioned(const QString& caption, Millis timeout = windowTimeout,
                                        bool visibleOnly = true) const;
    // The windows captioned exactly `caption`, in _NET_WM_NAME or WM_NAME.
    std::vector<xcb_window_t> windowsCaptioned(const QString& caption, bool visibleOnly = true) const;
    // Waits for a line of standard output that starts with `key`=; what follows it.
    QString waitForOutput(const QString& key, Millis timeout = windowTimeout);

    // Waits for the program to end; false if it is still running at `timeout`.
    bool waitForExit(Millis timeout);
    bool running() const;
    QProcess::ExitStatus exitStatus() const { return m_process->exitStatus(); }
    int exitCode() const { return m_process->exitCode(); }
    // What the program wrote to stderr so far, for failure messages.
    QString errorOutput() const;
    // What the program wrote to stdout so far.
    QString standardOutput() const;

    static constexpr Millis windowTimeout = 15s;

private:
    Display& m_display;
    std::unique_ptr<QProcess> m_process;
    xcb_window_t m_windowId = XCB_WINDOW_NONE;
    QString m_window;
    mutable QByteArray m_errors;
    mutable QByteArray m_output;
};

// A window id as the command-line tools take it: 0x...
QString toolId(xcb_window_t window);

// A screenshot with the window where it was when it was taken.
struct View {
    WindowGeometry geometry;
    QImage screenshot;
};

// Polls until `wanted` holds of a view of the window, shown and standing still
// (the window manager animates some changes); returns the last view taken.
View waitForView(const Program& program, const std::function<bool(const View&)>& wanted, Millis timeout = 5s);

} // namespace e2e
