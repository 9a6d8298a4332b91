#pragma once

#include "programtitle.h"
#include "tform1.h"

#include <QApplication>

// Start-up and shut-down: creates the main window, lets its creation handler
// draw the picture while the window is still hidden, then shows it and
// processes events until it is closed.
class Application {
public:
    // False, after saying why on standard error, where no window can be shown at all.
    static bool displayAvailable();

    Application(int& argc, char** argv);

    // Creates Form1 and runs its creation handler; an exception from either is
    // reported in an error box.
    template <class Form = TForm1>
    void CreateForm();
    // Shows Form1 and processes events until the program is told to end; the
    // exit status, 1 when there is no window.
    int Run();

    // The program title, the caption of error boxes.
    const QString& title() const { return m_title; }

private:
    // The error boxes for an exception that escaped construction or the creation handler.
    static void constructionFailed();
    void creationFailed() const;

    QApplication m_app;
    QString m_title;
};

template <class Form>
void Application::CreateForm()
{
    try {
        new Form; // sets Form1
    } catch (...) {
        Form1 = nullptr; // the half-built window is gone already
        constructionFailed();
        return;
    }
    labelTaskBarEntry(*Form1, m_title);
    try {
        Form1->FormCreate(Form1);
    } catch (...) {
        // The window still opens, with whatever was drawn before the failure.
        creationFailed();
    }
}
