#pragma once

#include <QApplication>

// Start-up and shut-down: creates the main window, lets its creation handler
// draw the picture while the window is still hidden, then shows it and
// processes events until it is closed.
class Application {
public:
    // False, after saying why on standard error, where no window can be shown at all.
    static bool displayAvailable();

    Application(int& argc, char** argv);

    // Creates Form1 and runs its creation handler.
    void CreateForm();
    // Shows Form1 and processes events until the program is told to end; the exit status.
    int Run();

private:
    QApplication m_app;
    QString m_title;
};
