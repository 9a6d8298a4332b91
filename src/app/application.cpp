#include "application.h"

#include "errorbox.h"
#include "images.h"
#include "programtitle.h"
#include "x11.h"

#include <QByteArray>
#include <QIcon>
#include <QPixmap>

#include <cstdlib>

namespace {

const QByteArray maximisedOption = QByteArrayLiteral("-maximized");
const QByteArray minimisedOption = QByteArrayLiteral("-iconic");
// Qt's idea of the program's name, when it was started without one.
char noName[] = "";

// Asks the window manager to minimise the window it is about to map. Qt does
// not mark a window that already has its native window (this one has had it
// since its layout was loaded) to start minimised.
void askToMinimise(QWidget& window)
{
    xcb_connection_t* connection = x11::connection();
    if (!connection)
        return;
    const xcb_atom_t changeState = x11::atom(connection, "WM_CHANGE_STATE");
    if (changeState == XCB_ATOM_NONE)
        return;
    constexpr uint32_t iconicState = 3;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window.winId());
    message.type = changeState;
    message.data.data32[0] = iconicState;
    xcb_send_event(connection, 0, x11::rootWindow(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
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

Application::Application(int& argc, char** argv)
    : m_startRequest(startRequest(argc, argv))
    , m_toolkitArgv{argc > 0 ? argv[0] : noName, nullptr}
{
    startup::guardStart();
    startup::prepareQtEnvironment();
    m_toolkit = std::make_unique<QApplication>(m_toolkitArgc, m_toolkitArgv.data());
    startup::qtStarted();
    startup::avoidSessionBusAutolaunch();
    QApplication::setWindowIcon(images::windowIcon());
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
    if (!Form1) {
        startup::boundShutDown(EXIT_FAILURE);
        return EXIT_FAILURE;
    }
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
    startup::windowShown();
    const int status = QApplication::exec();
    m_form.reset();
    startup::boundShutDown(status);
    return status;
}
