// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"

#include <QProcessEnvironment>
#include <QStandardPaths>

#include <signal.h>
#include <sys/prctl.h>

#include <thread>

#ifndef THIRD_PARTY_LEAKS
#error "THIRD_PARTY_LEAKS must name the LeakSanitizer suppressions for libraries"
#endif

#ifndef STEREOGRAM_PROGRAM
#error "STEREOGRAM_PROGRAM must name the program under test"
#endif

#ifndef VIRTUAL_DISPLAY_SCRIPT
#error "VIRTUAL_DISPLAY_SCRIPT must name scripts/virtual-display.sh"
#endif

namespace e2e {

namespace {

constexpr Millis pollInterval = 50ms;
constexpr Millis startTimeout = 15s;
constexpr Millis stopTimeout = 3s;
// virtual-display.sh gives Xvfb 15 s and openbox 30 s.
constexpr Millis displayTimeout = 45s;

using Clock = std::chrono::steady_clock;

std::string text(const QString& string)
{
    return string.toStdString();
}
std::string text(const QByteArray& bytes)
{
    return bytes.trimmed().toStdString();
}

bool pastDeadline(Clock::time_point deadline)
{
    return Clock::now() >= deadline;
}
void pollPause()
{
    std::this_thread::sleep_for(pollInterval);
}

// Children die with the test, even when the test itself is killed (a ctest
// time-out); teardown ends them in the ordinary case. One that has children
// of its own to stop is sent `deathSignal` instead.
std::unique_ptr<QProcess> newChild(const QProcessEnvironment& environment, int deathSignal = SIGKILL)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment);
    process->setChildProcessModifier([deathSignal] { prctl(PR_SET_PDEATHSIG, deathSignal); });
    return process;
}

void start(QProcess& process, const QString& program, const QStringList& arguments)
{
    process.start(program, arguments);
    if (!process.waitForStarted(int(startTimeout.count())))
        throw Failure("cannot start " + text(program) + ": " + text(process.errorString()));
}

void stop(QProcess* process, bool gently)
{
    if (!process || process->state() == QProcess::NotRunning)
        return;
    if (gently) {
        process->terminate();
        if (process->waitForFinished(int(stopTimeout.count())))
            return;
    }
    process->kill();
    process->waitForFinished(int(stopTimeout.count()));
}

// The program's environment on `display`, on X, changed as `launch` says.
QProcessEnvironment programEnvironment(const Display& display, const Launch& launch)
{
    QProcessEnvironment environment = display.environment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    // Under LeakSanitizer, leaks that are not the program's say nothing.
    if (!environment.contains(QStringLiteral("LSAN_OPTIONS")))
        environment.insert(QStringLiteral("LSAN_OPTIONS"),
                           QStringLiteral("suppressions=" THIRD_PARTY_LEAKS ":print_suppressions=0"));
    for (const auto& [name, value] : launch.set)
        environment.insert(name, value);
    for (const QString& name : launch.unset)
        environment.remove(name);
    return environment;
}

} // namespace

void requireTools()
{
    std::string missing;
    for (const char* tool : {"Xvfb", "openbox", "xdotool", "wmctrl", "import", "xprop"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            missing += std::string(missing.empty() ? "" : ", ") + tool;
    }
    if (!missing.empty())
        throw Failure("required tool(s) not found on PATH: " + missing
                      + " (packages: xvfb openbox xdotool wmctrl imagemagick x11-utils)");
    if (QStandardPaths::findExecutable(QStringLiteral(STEREOGRAM_PROGRAM)).isEmpty())
        throw Failure("the program under test is not built: " STEREOGRAM_PROGRAM);
}

Display::Display(const QString& windowManager)
    : Display({QStringLiteral("1280x1024x24")}, 0, windowManager)
{}

Display::Display(const QStringList& screens, int shownOn, const QString& windowManager)
{
    requireTools();

    // The one way the project starts a display: the scripts source the same
    // file. Closing its standard input stops it.
    QProcessEnvironment serverEnvironment = QProcessEnvironment::systemEnvironment();
    serverEnvironment.insert(QStringLiteral("VIRTUAL_DISPLAY_WM"), windowManager);
    serverEnvironment.remove(QStringLiteral("VIRTUAL_DISPLAY_SCREEN"));
    if (shownOn != 0)
        serverEnvironment.insert(QStringLiteral("VIRTUAL_DISPLAY_SCREEN"), QString::number(shownOn));
    m_server = newChild(serverEnvironment, SIGTERM);
    start(*m_server, QStringLiteral("bash"),
          QStringList{QStringLiteral(VIRTUAL_DISPLAY_SCRIPT), QStringLiteral("--serve")} + screens);

    QByteArray announced;
    const auto deadline = Clock::now() + displayTimeout;
    for (;;) {
        announced += m_server->readAllStandardOutput();
        if (announced.endsWith("ready\n"))
            break;
        if (m_server->state() == QProcess::NotRunning)
            throw Failure("virtual-display.sh ended at start-up: " + text(m_server->readAllStandardError()));
        if (pastDeadline(deadline))
            throw Failure("virtual-display.sh did not have the display ready in time: " + text(announced));
        m_server->waitForReadyRead(int(pollInterval.count()));
    }
    for (const QByteArray& line : announced.split('\n')) {
        if (const qsizetype equals = line.indexOf('='); equals > 0)
            m_variables.insert(QString::fromLocal8Bit(line.left(equals)), QString::fromLocal8Bit(line.mid(equals + 1)));
    }
    m_name = m_variables.value(QStringLiteral("DISPLAY"));
    if (!m_name.startsWith(QLatin1Char(':')))
        throw Failure("virtual-display.sh announced no display: " + text(announced));
    m_x = std::make_unique<xquery::Connection>(m_name.toLocal8Bit().constData());
    if (m_x->broken())
        throw Failure("cannot connect to the display " + text(m_name));
}

Display::~Display()
{
    m_x.reset();
    if (m_server && m_server->state() != QProcess::NotRunning) {
        m_server->closeWriteChannel();
        if (!m_server->waitForFinished(int(stopTimeout.count())))
            stop(m_server.get(), true);
    }
}

QProcessEnvironment Display::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (auto variable = m_variables.cbegin(); variable != m_variables.cend(); ++variable)
        environment.insert(variable.key(), variable.value());
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("XAUTHORITY"));
    return environment;
}

ToolOutput Display::run(const QString& tool, const QStringList& arguments, Millis timeout) const
{
    const std::unique_ptr<QProcess> process = newChild(environment());
    start(*process, tool, arguments);
    if (!process->waitForFinished(int(timeout.count()))) {
        stop(process.get(), false);
        throw Failure(text(tool + QLatin1Char(' ') + arguments.join(QLatin1Char(' '))) + " did not finish in time");
    }
    ToolOutput output;
    output.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    output.out = process->readAllStandardOutput();
    output.err = process->readAllStandardError();
    return output;
}

QByteArray Display::check(const QString& tool, const QStringList& arguments, Millis timeout) const
{
    ToolOutput output = run(tool, arguments, timeout);
    if (output.exitCode != 0)
        throw Failure(text(tool + QLatin1Char(' ') + arguments.join(QLatin1Char(' '))) + " failed with status "
                      + std::to_string(output.exitCode) + ": " + text(output.err));
    return output.out;
}

QImage Display::screenshot() const
{
    const QByteArray ppm = check(QStringLiteral("import"),
                                 {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-depth"),
                                  QStringLiteral("8"), QStringLiteral("ppm:-")});
    QImage image = QImage::fromData(ppm, "PPM");
    if (image.isNull())
        throw Failure("import gave no readable screenshot (" + std::to_string(ppm.size()) + " bytes)");
    return image.convertToFormat(QImage::Format_RGB32);
}

void Display::setXftDpi(int dotsPerInch) const
{
    m_x->setProperty(m_x->root(), "RESOURCE_MANAGER", "STRING", "Xft.dpi:\t" + std::to_string(dotsPerInch) + "\n");
}

Program::Program(Display& display)
    : Program(display, Launch{})
{}

Program::Program(Display& display, const Launch& launch)
    : Program(display, QStringLiteral(STEREOGRAM_PROGRAM), launch.arguments, launch)
{
    waitForWindow(launch.visible);
}

Program::Program(Display& display, const QString& executable, const QStringList& arguments, const Launch& launch)
    : m_display(display)
{
    m_process = newChild(programEnvironment(display, launch));
    start(*m_process, executable, arguments);
}

void Program::waitForWindow(bool visibleOnly)
{
    m_windowId = waitForWindowCaptioned(QStringLiteral("Form1"), windowTimeout, visibleOnly);
    m_window = toolId(m_windowId);
}

std::vector<xcb_window_t> Program::windowsCaptioned(const QString& caption, bool visibleOnly) const
{
    xquery::Connection& x = m_display.x();
    const QByteArray name = caption.toUtf8();
    std::vector<xcb_window_t> windows;
    for (const xcb_window_t window : x.allWindows()) {
        if (!x.named(window, std::string_view(name.constData(), std::size_t(name.size()))))
            continue;
        if (visibleOnly) {
            const std::optional<xquery::Geometry> where = x.geometry(window);
            if (!where || !where->viewable)
                continue;
        }
        windows.push_back(window);
    }
    return windows;
}

xcb_window_t Program::waitForWindowCaptioned(const QString& caption, Millis timeout, bool visibleOnly) const
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (m_process->state() == QProcess::NotRunning)
            throw Failure("the program ended before showing a window captioned " + text(caption) + ": "
                          + text(errorOutput()));
        const std::vector<xcb_window_t> windows = windowsCaptioned(caption, visibleOnly);
        if (windows.size() > 1)
            throw Failure("more than one window captioned " + text(caption) + ": " + text(toolId(windows[0])) + ", "
                          + text(toolId(windows[1])) + "...");
        if (windows.size() == 1)
            return windows.front();
        if (pastDeadline(deadline))
            throw Failure("no window captioned " + text(caption) + " appeared");
        pollPause();
    }
}

QString Program::waitForOutput(const QString& key, Millis timeout)
{
    const QByteArray prefix = key.toUtf8() + '=';
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        m_output += m_process->readAllStandardOutput();
        for (const QByteArray& line : m_output.split('\n')) {
            if (line.startsWith(prefix) && m_output.contains(line + '\n'))
                return QString::fromUtf8(line.mid(prefix.size()));
        }
        if (pastDeadline(deadline))
            throw Failure("the program wrote no " + text(key) + "= line: " + text(m_output));
        m_process->waitForReadyRead(int(pollInterval.count()));
    }
}

Program::Program(Display& display, const QByteArray& path)
    : m_display(display)
{
    m_process = newChild(programEnvironment(display, Launch{}));
    // A program's name reaches QProcess as text; the shell turns octal escapes
    // back into the very bytes, and exec keeps its process id.
    QString escaped;
    for (const char byte : path)
        escaped += QStringLiteral("\\0%1").arg(uint(static_cast<unsigned char>(byte)), 3, 8, QLatin1Char('0'));
    start(*m_process, QStringLiteral("/bin/sh"),
          {QStringLiteral("-c"), QStringLiteral(R"(path=$(printf '%b_' "$1"); exec "${path%_}")"), QStringLiteral("sh"),
           escaped});
    waitForWindow();
}

Program::~Program()
{
    stop(m_process.get(), false);
}

qint64 Program::pid() const
{
    return m_process->processId();
}

std::optional<xquery::Property> Program::property(std::string_view name) const
{
    return m_display.x().property(m_windowId, name);
}

WindowGeometry Program::geometry() const
{
    const std::optional<xquery::Geometry> where = m_display.x().geometry(m_windowId);
    if (!where)
        throw Failure("the window " + text(m_window) + " is gone");
    WindowGeometry geometry;
    geometry.client = QRect(where->x, where->y, where->width, where->height);
    geometry.viewable = where->viewable;

    const std::optional<xquery::Property> extents = property("_NET_FRAME_EXTENTS");
    if (extents && extents->values.size() == 4) {
        const std::vector<std::uint32_t>& ltrb = extents->values;
        geometry.frameExtents = QMargins(int(ltrb[0]), int(ltrb[2]), int(ltrb[1]), int(ltrb[3]));
        return geometry;
    }
    const std::optional<xquery::Geometry> frame = m_display.x().outerGeometry(m_windowId);
    if (!frame)
        throw Failure("the window " + text(m_window) + " is gone");
    const QRect outer(frame->x, frame->y, frame->width, frame->height);
    geometry.frameExtents =
        QMargins(geometry.client.left() - outer.left(), geometry.client.top() - outer.top(),
                 outer.right() - geometry.client.right(), outer.bottom() - geometry.client.bottom());
    return geometry;
}

WindowGeometry Program::waitForGeometry(const std::function<bool(const WindowGeometry&)>& wanted, Millis timeout) const
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        WindowGeometry current = geometry();
        if (wanted(current) || pastDeadline(deadline))
            return current;
        pollPause();
    }
}

void Program::type(const QString& keys)
{
    m_display.check(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"), m_window});
    m_display.check(QStringLiteral("xdotool"), {QStringLiteral("key"), keys});
}

void Program::click(QPoint at)
{
    const QPoint screen = geometry().client.topLeft() + at;
    m_display.check(QStringLiteral("xdotool"),
                    {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(screen.x()),
                     QString::number(screen.y()), QStringLiteral("click"), QStringLiteral("1")});
}

bool Program::waitForExit(Millis timeout)
{
    return m_process->state() == QProcess::NotRunning || m_process->waitForFinished(int(timeout.count()));
}

bool Program::running() const
{
    return m_process->state() != QProcess::NotRunning;
}

QString Program::errorOutput() const
{
    m_errors += m_process->readAllStandardError();
    return QString::fromLocal8Bit(m_errors);
}

QString Program::standardOutput() const
{
    m_output += m_process->readAllStandardOutput();
    return QString::fromLocal8Bit(m_output);
}

QString toolId(xcb_window_t window)
{
    return QStringLiteral("0x") + QString::number(window, 16);
}

View waitForView(const Program& program, const std::function<bool(const View&)>& wanted, Millis timeout)
{
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const WindowGeometry before = program.geometry();
        View view{WindowGeometry{}, program.display().screenshot()};
        view.geometry = program.geometry();
        if ((view.geometry == before && view.geometry.viewable && wanted(view)) || pastDeadline(deadline))
            return view;
        pollPause();
    }
}

} // namespace e2e
