// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/application.h"

#include "app/startup/programtitle.h"
#include "app/startup/qtenvironment.h"
#include "app/window/accessibility.h"
#include "app/window/images.h"

#include <QByteArray>
#include <QIcon>

#include <cstdlib>

namespace {

// Qt's idea of the program's name, when it was started without one.
char noName[] = "";

} // namespace

Application::Application(int& argc, char** argv, commandline::StartRequest start)
    : m_startRequest(start)
    , m_qtArgv{argc > 0 ? argv[0] : noName, nullptr}
{
    startup::guardStart();
    qtenvironment::setBeforeQtStarts();
    m_qt = std::make_unique<QApplication>(m_qtArgc, m_qtArgv.data());
    startup::noteQtRunning();
    startup::checkScreen();
    qtenvironment::avoidSessionBusAutolaunch();
    accessibility::describeTheWindow();
    QApplication::setWindowIcon(images::windowIcon());
    m_title = programTitle(executablePath(QByteArray(m_qtArgv[0])));
    // Qt makes the class part of every window's WM_CLASS from it, the
    // instance part from the resource name or the command's.
    QCoreApplication::setApplicationName(m_title);
}

Application::~Application() = default;

int Application::Run()
{
    if (!m_form)
        return EXIT_FAILURE;
    switch (m_startRequest) {
    case commandline::StartRequest::Maximised:
        m_form->showMaximized();
        break;
    case commandline::StartRequest::Minimised:
        m_form->showIconic();
        break;
    case commandline::StartRequest::Normal:
        m_form->show();
        break;
    }
    const int status = QApplication::exec();
    m_form.reset();
    return status;
}
