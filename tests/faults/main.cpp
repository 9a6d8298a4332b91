// The program with a window that fails at start-up, chosen by the one
// argument; for the end-to-end tests. Each error box the program shows is
// also described on standard output as it appears.

#include "application.h"
#include "faultyforms.h"

#include <QMessageBox>

#include <cstdio>
#include <functional>
#include <map>
#include <string>

namespace {

class BoxReporter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && event->type() == QEvent::Show) {
            QString text = box->text();
            text.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
            std::printf("caption=%s\ntext=%s\nicon=%d\nbuttons=%d\nmodality=%d\n",
                        box->windowTitle().toUtf8().constData(), text.toUtf8().constData(), int(box->icon()),
                        int(box->standardButtons()), int(box->windowModality()));
            std::fflush(stdout);
        }
        return false;
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
    if (!Application::displayAvailable())
        return 1;
    Application application(argc, argv);
    BoxReporter reporter;
    qApp->installEventFilter(&reporter);
    scenario->second(application);
    return application.Run();
}
