#include "application.h"

#include "errorbox.h"
#include "programtitle.h"

#include <QIcon>

#include <cstdio>

#include <xcb/xcb.h>

namespace {

// Layout pixels are screen pixels: the window's size and its picture must not
// be scaled by the toolkit's own high-DPI handling.
int& disableToolkitScaling(int& argc)
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_USE_PHYSICAL_DPI");
    return argc;
}

} // namespace

bool Application::displayAvailable()
{
    // Checked here because the toolkit would abort, suggesting a reinstall.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return true;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool connected = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!connected)
        std::fprintf(stderr, "ディスプレイに接続できません。\n");
    return connected;
}

Application::Application(int& argc, char** argv)
    : m_app(disableToolkitScaling(argc), argv)
    , m_title(programTitle(QByteArray(argv[0])))
{
    QApplication::setQuitOnLastWindowClosed(true);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/mainicon.xpm")));
}

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
        return 1;
    Form1->show();
    const int status = QApplication::exec();
    delete Form1;
    return status;
}
