// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// The program with a window that fails at start-up, chosen by the one
// argument; for the end-to-end tests. Each error box the program shows is
// also described on standard output as it appears.

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

// Describes each message box once it is on screen and laid out, as
// key=value lines; "ok" is the centre of its OK button in the box.
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
        QString text = box.text();
        text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
        const QAbstractButton* ok = box.button(QMessageBox::Ok);
        const QPoint okCentre = ok ? ok->mapTo(&box, ok->rect().center()) : QPoint(-1, -1);
        std::printf("caption=%s\ntext=%s\nicon=%d\nbuttons=%d\nmodality=%d\nok=%d,%d\n",
                    box.windowTitle().toUtf8().constData(), text.toUtf8().constData(), int(box.icon()),
                    int(box.standardButtons()), int(box.windowModality()), okCentre.x(), okCentre.y());
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    using namespace faults;
    const std::map<std::string, std::function<void(Application&)>> scenarios = {
        {"clock", [](Application& a) { a.CreateForm<ClockFailureForm<stoppedClock>>(); }},
        {"clock-code", [](Application& a) { a.CreateForm<ClockFailureForm<clockThrowingCode>>(); }},
        {"picture", [](Application& a) { a.CreateForm<PictureFailureForm>(); }},
        {"layout", [](Application& a) { a.CreateForm<ConstructionFailureForm<failLayout>>(); }},
        {"layout-code", [](Application& a) { a.CreateForm<ConstructionFailureForm<failWithCode>>(); }},
    };
    const auto scenario = argc == 2 ? scenarios.find(argv[1]) : scenarios.end();
    if (scenario == scenarios.end()) {
        std::fprintf(stderr, "usage: %s clock|clock-code|picture|layout|layout-code\n", argv[0]);
        return 2;
    }
    Application application(argc, argv);
    BoxReporter reporter;
    qApp->installEventFilter(&reporter);
    scenario->second(application);
    return application.Run();
}
