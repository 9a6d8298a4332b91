#include "application.h"

#include "errorbox.h"
#include "programtitle.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QIcon>

#include <csignal>
#include <cstdlib>
#include <exception>
#include <unistd.h>

#include <xcb/xcb.h>

namespace {

const QByteArray maximisedOption = QByteArrayLiteral("-maximized");
const QByteArray minimisedOption = QByteArrayLiteral("-iconic");
const QByteArray x11Platform = QByteArrayLiteral("xcb");
// The toolkit's idea of the program's name, when it was started without one.
char noName[] = "";

const QString threadNotStarted = QStringLiteral("QThread::start");
// What the toolkit warns, just before it ends the program with status 1, when
// its connection to the X server has closed under it: the server went away,
// or the connection itself ran out of memory.
const QString connectionBroke = QStringLiteral("The X11 connection broke");

// The one line said before ending on a fatal toolkit error; composed in
// advance, so that saying it needs no memory.
QByteArray fatalLine;

void sayAndEnd(const QByteArray& line)
{
    const QByteArray text = line + '\n';
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, text.constData(), size_t(text.size()));
    ::_exit(EXIT_FAILURE);
}

[[noreturn]] void sayFatalLineAndEnd()
{
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, fatalLine.constData(), size_t(fatalLine.size()));
    ::_exit(EXIT_FAILURE);
}

// The program logs nothing: the toolkit's warnings go unsaid, and its fatal
// errors end the program with a line a user can read instead of an abort. A
// thread the toolkit could not start, short of memory, is fatal too: the
// toolkit would wait for it for ever. So is a lost X connection, after which
// the toolkit would end the program without a word.
void toolkitMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg || (type == QtCriticalMsg && message.startsWith(threadNotStarted))
        || (type == QtWarningMsg && message.startsWith(connectionBroke)))
        sayFatalLineAndEnd();
}

// The toolkit's start on the window system takes well under a second; one
// that has not finished by this many seconds is stuck in a failure of its own.
constexpr unsigned toolkitStartLimit = 20;

void toolkitStartTookTooLong(int)
{
    sayFatalLineAndEnd();
}

void setFatalLine(const QString& line)
{
    fatalLine = line.toUtf8() + '\n';
}

bool connectsToDisplay()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool connected = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return connected;
}

// Asks the window manager to minimise the window it is about to map. The
// toolkit does not mark a window that already has its native window (this one
// has had it since its layout was loaded) to start minimised.
void askToMinimise(QWidget& window)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    const char name[] = "WM_CHANGE_STATE";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t{sizeof name - 1}, name), nullptr);
    if (!atom)
        return;
    constexpr uint32_t iconicState = 3;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window.winId());
    message.type = atom->atom;
    message.data.data32[0] = iconicState;
    std::free(atom);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

} // namespace

Application::StartRequest Application::startRequest(int argc, char** argv)
{
    StartRequest request = StartRequest::Normal;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == maximisedOption)
            request = StartRequest::Maximised;
        else if (argv[i] == minimisedOption)
            request = StartRequest::Minimised;
    }
    return request;
}

void Application::prepareToolkitEnvironment()
{
    // Layout pixels are screen pixels: the window's size and its picture must
    // not be scaled by the toolkit's own high-DPI handling.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_USE_PHYSICAL_DPI");

    // The window is placed exactly where the layout puts it, which only X
    // allows: a Wayland session's variables must not lead the toolkit away
    // from the X display beside it. A platform named outright is used.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", x11Platform);
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");

    qInstallMessageHandler(toolkitMessage);
    // An exception nothing catches, in a thread of the toolkit's short of
    // memory, for one, ends the program the same way instead of with an abort.
    std::set_terminate(sayFatalLineAndEnd);
    setFatalLine(QStringLiteral("ウィンドウ システム「%1」を開始できません。").arg(QString::fromLocal8Bit(platform)));

    // Checked here because the toolkit would only say that it cannot start.
    if (platform.startsWith(x11Platform) && !connectsToDisplay()) {
        const QString display = qEnvironmentVariable("DISPLAY");
        sayAndEnd(display.isEmpty()
                      ? QStringLiteral("ディスプレイに接続できません。DISPLAY が設定されていません。").toUtf8()
                      : QStringLiteral("ディスプレイ「%1」に接続できません。").arg(display).toUtf8());
    }
}

Application::Application(int& argc, char** argv)
    : m_startRequest(startRequest(argc, argv))
    , m_toolkitArgv{argc > 0 ? argv[0] : noName, nullptr}
{
    prepareToolkitEnvironment();
    std::signal(SIGALRM, toolkitStartTookTooLong);
    ::alarm(toolkitStartLimit);
    m_toolkit = std::make_unique<QApplication>(m_toolkitArgc, m_toolkitArgv.data());
    ::alarm(0);
    std::signal(SIGALRM, SIG_DFL);
    setFatalLine(QStringLiteral("ウィンドウ システムのエラーのため終了します。"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/mainicon.xpm")));
    m_title = programTitle(QByteArray(m_toolkitArgv[0]));
}

Application::~Application() = default;

void Application::constructionFailed()
{
    ErrorBox::showApplicationError(CaughtException::current());
}

void Application::creationFailed() const
{
    ErrorBox::showCreationError(m_title, CaughtException::current());
}

int Application::Run()
{
    if (!Form1)
        return EXIT_FAILURE;
    switch (m_startRequest) {
    case StartRequest::Maximised:
        Form1->showMaximized();
        break;
    case StartRequest::Minimised:
        Form1->setAttribute(Qt::WA_ShowWithoutActivating);
        Form1->setWindowState(Qt::WindowMinimized);
        Form1->show();
        askToMinimise(*Form1);
        break;
    case StartRequest::Normal:
        Form1->show();
        break;
    }
    const int status = QApplication::exec();
    m_form.reset();
    return status;
}
