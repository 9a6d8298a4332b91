// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/startupguards.h"

#include "app/errors/errorreport.h"
#include "app/startup/fatalline.h"
#include "app/startup/qtenvironment.h"
#include "app/startup/resourcelimits.h"
#include "app/texts/terminal.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>
#include <QString>
#include <QtGlobal>

#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <exception>
#include <new>

#include <malloc.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

namespace startup {

namespace {

// Qt's xcb plugin warns with this before it fails to start for want of a display.
const QString noDisplayWarning = QStringLiteral("could not connect to display");

// Every line a fatal end may say without composing it then, when there may be
// no memory to compose it with. Written before the handlers that read them
// are installed, and never again.
struct Lines {
    QByteArray platformDidNotStart;
    QByteArray noDisplay;
    QByteArray xConnectionLost;
    QByteArray memoryExhausted;
    QByteArray qtFatal;
    QByteArray uncaught;
    QByteArray threadNotStarted;
};
const Lines* lines = nullptr;

volatile std::sig_atomic_t qtRunning = 0;
// Qt's own handler, which writes its messages on standard error, where they
// were asked for with Qt's logging variables; null, and quiet, otherwise.
QtMessageHandler qtDiagnostics = nullptr;
volatile std::sig_atomic_t displayUnreachable = 0;

[[noreturn]] void sayAndEnd(const QByteArray& line)
{
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, line.constData(), std::size_t(line.size()));
    ::_exit(EXIT_FAILURE);
}

// Whether `size` bytes of memory with `protection` are there to be had:
// reserved without being touched, and given back at once. The address-space
// limit counts any mapping, the data limit only writable ones.
bool canReserve(std::size_t size, int protection)
{
    void* reserved = ::mmap(nullptr, size, protection, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (reserved == MAP_FAILED)
        return false;
    ::munmap(reserved, size);
    return true;
}

// Where a thread could not be started, whether memory was the cause: the C
// library says the same for a full address space or data limit and for the
// limit on the user's processes and threads. A thread's stack is writable.
bool threadCouldBeStarted()
{
    return canReserve(resourcelimits::threadStack(), PROT_READ | PROT_WRITE);
}

// Qt's messages go unsaid unless asked for (QT_LOGGING_RULES or
// QT_MESSAGE_PATTERN set): the program logs nothing of its own. The fatal
// ones, and the few after which Qt would end the program silently or wait for
// ever, end it with a line that names what happened.
void qtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!qtRunning) {
        if (type == QtWarningMsg && message.startsWith(noDisplayWarning))
            displayUnreachable = 1;
        if (type == QtFatalMsg)
            sayAndEnd(displayUnreachable ? lines->noDisplay : lines->platformDidNotStart);
    }
    const std::optional<fatalline::Cause> cause = fatalline::causeOf(type, message);
    if (!cause) {
        if (qtDiagnostics)
            qtDiagnostics(type, context, message);
        return;
    }
    switch (*cause) {
    case fatalline::Cause::XConnectionLost:
        sayAndEnd(lines->xConnectionLost);
    case fatalline::Cause::MemoryExhausted:
        sayAndEnd(lines->memoryExhausted);
    case fatalline::Cause::ThreadNotStarted:
        sayAndEnd(threadCouldBeStarted() ? lines->threadNotStarted : lines->memoryExhausted);
    case fatalline::Cause::QtFatal:
    case fatalline::Cause::UncaughtException:
        break;
    }
    QByteArray line = lines->qtFatal;
    try {
        line = fatalline::line(fatalline::Cause::QtFatal, message);
    } catch (...) { // no memory to say more
    }
    sayAndEnd(line);
}

[[noreturn]] void uncaughtException()
{
    QByteArray line = lines->uncaught;
    if (const std::exception_ptr exception = std::current_exception()) {
        try {
            std::rethrow_exception(exception);
        } catch (const std::bad_alloc&) {
            line = lines->memoryExhausted;
        } catch (...) {
            try {
                line = fatalline::uncaught(errors::caughtException());
            } catch (...) { // no memory to say more
            }
        }
    }
    sayAndEnd(line);
}

// Composed in the locale's language, read once.
void composeLines()
{
    const texts::Terminal& terminal = texts::terminal();
    const QString platform = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        ? QString::fromLatin1(qtenvironment::x11Platform)
        : qEnvironmentVariable("QT_QPA_PLATFORM");
    static const Lines composed{
        fatalline::platformDidNotStart(platform, terminal),
        fatalline::noDisplay(qEnvironmentVariable("DISPLAY"), terminal),
        fatalline::line(fatalline::Cause::XConnectionLost, {}, terminal),
        fatalline::line(fatalline::Cause::MemoryExhausted, {}, terminal),
        fatalline::line(fatalline::Cause::QtFatal, {}, terminal),
        fatalline::line(fatalline::Cause::UncaughtException, {}, terminal),
        fatalline::threadNotStarted(resourcelimits::processLimit(), terminal),
    };
    lines = &composed;
}

// Libraries that run out of memory half-way through start-up crash
// (fontconfig) or wait for ever (xcb) instead of failing. Checking for the
// whole amount first keeps them from getting there: inaccessible for the
// address-space limit, writable for the data limit.
void checkMemory()
{
    const std::size_t needed = resourcelimits::startUpMemory();
    const unsigned long long neededMebibytes = fatalline::mebibytes(needed);
    if (resourcelimits::isLimited(RLIMIT_AS) && !canReserve(needed, PROT_NONE))
        sayAndEnd(fatalline::notEnoughAddressSpace(neededMebibytes));
    if (resourcelimits::isLimited(RLIMIT_DATA) && !canReserve(needed, PROT_READ | PROT_WRITE))
        sayAndEnd(fatalline::notEnoughData(neededMebibytes));
}

} // namespace

void guardStart()
{
    composeLines();
    const QtMessageHandler qtsOwn = qInstallMessageHandler(qtMessage);
    if (!qEnvironmentVariableIsEmpty("QT_LOGGING_RULES") || !qEnvironmentVariableIsEmpty("QT_MESSAGE_PATTERN"))
        qtDiagnostics = qtsOwn;
    std::set_terminate(uncaughtException);
    // glibc gives each thread that allocates an arena of its own, reserving
    // 64 MiB of address space for it. Qt's threads allocate little and seldom:
    // one arena for all keeps start-up's address space what it was measured as.
    ::mallopt(M_ARENA_MAX, 1);
    if (const std::optional<QByteArray> line = resourcelimits::shortfall())
        sayAndEnd(*line);
    checkMemory();
}

void noteQtRunning()
{
    qtRunning = 1;
}

void checkScreen()
{
    // Qt paints into images of 15, 16, 24, 30 or 32 bits a pixel.
    constexpr int fewestBits = 15;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && screen->depth() < fewestBits)
        sayAndEnd(fatalline::displayCannotShowPicture(unsigned(screen->depth())));
}

} // namespace startup
