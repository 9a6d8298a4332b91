// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// The program with a window that fails at start-up, chosen by the one
// argument; for the end-to-end tests. Where each error box's OK button is goes
// to standard output as the box appears, for a test that clicks it.

#include "app/application.h"
#include "faultyforms.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace {

// Tells, once each message box is on screen and laid out, the centre of its OK
// button in the box, as the line ok=X,Y.
class BoxReporter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && event->type() == QEvent::Show)
            QTimer::singleShot(0, box, [box] { report(*box); });
        return false;
    }

private:
    static void report(const QMessageBox& box)
    {
        const QAbstractButton* ok = box.button(QMessageBox::Ok);
        const QPoint okCentre = ok ? ok->mapTo(&box, ok->rect().center()) : QPoint(-1, -1);
        std::printf("ok=%d,%d\n", okCentre.x(), okCentre.y());
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    using namespace faults;
    const std::map<std::string, std::function<void(Application&)>> scenarios = {
        {"clock", [](Application& a) { a.CreateForm<ClockFailureForm<stoppedClock>>(); }},
        {"picture", [](Application& a) { a.CreateForm<PictureFailureForm>(); }},
        {"layout", [](Application& a) { a.CreateForm<ConstructionFailureForm<failLayout>>(); }},
    };
    const auto scenario = argc == 2 ? scenarios.find(argv[1]) : scenarios.end();
    if (scenario == scenarios.end()) {
        std::fprintf(stderr, "usage: %s clock|picture|layout\n", argv[0]);
        return 2;
    }
    Application application(argc, argv);
    BoxReporter reporter;
    qApp->installEventFilter(&reporter);
    scenario->second(application);
    return application.Run();
}
