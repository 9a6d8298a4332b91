// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/startup/programtitle.h"
#include "app/startup/startupguards.h"
#include "app/window/tform1.h"

#include <QApplication>
#include <QString>

#include <array>
#include <memory>

// Start-up and shut-down: starts Qt, creates the main window, lets
// its creation handler draw the picture while the window is still hidden, then
// shows it and processes events until it is closed.
class Application {
public:
    // Ends the program with one line on standard error and status 1 where Qt
    // cannot start (no display, a window system it cannot use, too little
    // memory).
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Allocates the window, which becomes Form1, and runs its creation handler;
    // an exception from either is reported in an error box.
    template <class Form = TForm1>
    void CreateForm();
    // Shows Form1 as the launcher asked and processes events until the program
    // is told to end; destroys the window and returns the exit status, 1 when
    // there is no window.
    int Run();

    // The program's name, for its task-bar entry and its error boxes.
    const QString& title() const { return m_title; }

private:
    // How the launcher asked for the window to be shown first.
    enum class StartRequest { Normal, Maximised, Minimised };
    static StartRequest startRequest(int argc, char** argv);

    // The error boxes for an exception that escaped construction or the creation handler.
    static void constructionFailed();
    void creationFailed() const;

    StartRequest m_startRequest = StartRequest::Normal;
    // Qt sees the program's name and no options: the program takes
    // none of its own beyond the start requests.
    int m_toolkitArgc = 1;
    std::array<char*, 2> m_toolkitArgv{};
    std::unique_ptr<QApplication> m_toolkit;
    QString m_title;
    std::unique_ptr<TForm1> m_form;
};

template <class Form>
void Application::CreateForm()
{
    try {
        m_form = std::make_unique<Form>(); // Form1 from the moment it is allocated
    } catch (...) {
        Form1 = nullptr; // the half-built window is gone already
        const startup::LimitPaused whileTheBoxWaits;
        constructionFailed();
        return;
    }
    labelTaskBarEntry(*Form1, m_title);
    try {
        Form1->FormCreate(Form1);
    } catch (...) {
        // The window still opens, with whatever was drawn before the failure.
        const startup::LimitPaused whileTheBoxWaits;
        creationFailed();
    }
}
