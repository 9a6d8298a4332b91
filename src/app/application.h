// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/errors/errorreport.h"
#include "app/startup/commandline.h"
#include "app/startup/startupguards.h"
#include "app/window/tform1.h"
#include "app/x11/taskbarlabel.h"

#include <QApplication>
#include <QString>

#include <array>
#include <memory>

// The program's life: starts Qt, creates the main window and lets its
// creation handler draw the picture while the window is still hidden, then
// shows it and processes events until it is closed. The application owns the
// window; Form1 is only the program's name for it.
class Application {
public:
    // Ends the program with one line on standard error and status 1 where Qt
    // cannot start (no display, a platform plugin it cannot use, too little
    // memory, resource limits below what it needs) or cannot paint the
    // picture on the screen. `start` is the launcher's start request, as the
    // command line gave it.
    Application(int& argc, char** argv, commandline::StartRequest start = commandline::StartRequest::Normal);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Allocates the window, which becomes Form1, and runs its creation handler;
    // an exception from either is reported in an error box.
    template <class Form = TForm1>
    void CreateForm();
    // Shows the window as the launcher asked and processes events until the
    // program is told to end; destroys the window and returns the exit status,
    // 1 when there is no window.
    int Run();

    // The program's name, for its task-bar entry and its error boxes.
    const QString& title() const { return m_title; }

private:
    commandline::StartRequest m_startRequest = commandline::StartRequest::Normal;
    // Qt sees the program's name and no options: the program takes
    // none of its own beyond the start requests.
    int m_qtArgc = 1;
    std::array<char*, 2> m_qtArgv{};
    std::unique_ptr<QApplication> m_qt;
    QString m_title;
    std::unique_ptr<TForm1> m_form;
};

template <class Form>
void Application::CreateForm()
{
    m_form.reset();
    try {
        m_form = std::make_unique<Form>(); // Form1 from the moment it is allocated
    } catch (...) {
        Form1 = nullptr; // the half-built window is gone already
        errors::showApplicationError(errors::caughtException());
        return;
    }
    labelTaskBarEntry(*m_form, m_title);
    try {
        m_form->FormCreate(Form1);
    } catch (...) {
        // The window still opens, with whatever was drawn before the failure.
        errors::showCreationError(m_title, errors::caughtException());
    }
}
