// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/application.h"

#include "app/errors/errorbox.h"
#include "app/startup/programtitle.h"
#include "app/window/accessibility.h"
#include "app/window/images.h"

#include <QByteArray>
#include <QIcon>

#include <cstdlib>

namespace {

const QByteArray maximisedOption = QByteArrayLiteral("-maximized");
const QByteArray minimisedOption = QByteArrayLiteral("-iconic");
// Qt's idea of the program's name, when it was started without one.
char noName[] = "";

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
    accessibility::describeTheWindow();
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
        Form1->showIconic();
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
