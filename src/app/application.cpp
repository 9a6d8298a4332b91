#include "application.h"

#include "tform1.h"

#include <cstdio>
#include <exception>

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

void reportError(const std::exception& error)
{
    std::fprintf(stderr, "%s\n", error.what());
}

} // namespace

Application::Application(int& argc, char** argv)
    : m_app(disableToolkitScaling(argc), argv)
{
    QApplication::setQuitOnLastWindowClosed(true);
}

void Application::CreateForm()
{
    try {
        new TForm1; // sets Form1
    } catch (const std::exception& error) {
        Form1 = nullptr; // the half-built window is gone already
        reportError(error);
        return;
    }
    try {
        Form1->FormCreate(Form1);
    } catch (const std::exception& error) {
        // The window still opens, with whatever was drawn before the failure.
        reportError(error);
    }
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
