// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/startupguards.h"

#include "app/errors/errorreport.h"
#include "app/startup/lastwords.h"
#include "app/startup/qtenvironment.h"
#include "app/startup/resourcelimits.h"
#include "app/startup/terminaltext.h"
#include "app/x11/x11.h"

#include <QByteArray>
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

constexpr std::size_t mebibyte = std::size_t{1} << 20;

// Address space that start-up takes beyond what the process holds when main()
// begins, up to the window's first showing, the stacks of Qt's threads apart:
// measured as the smallest RLIMIT_AS under which the window appeared, less
// the process's size at entry and the thread stacks, and given a margin for
// other fonts, locales and libraries.
constexpr std::size_t startUpAddressSpace = 32 * mebibyte;
// The threads Qt starts before the window is shown: the xcb event reader and
// the D-Bus connection manager. Each stack takes RLIMIT_STACK of address space.
constexpr std::size_t qtThreads = 2;
// glibc's thread stack where RLIMIT_STACK is unlimited.
constexpr std::size_t unlimitedStackThreadStack = 2 * mebibyte;

// Once the window is gone, the rest is freeing memory and closing connections.
constexpr unsigned shutDownLimitSeconds = 5;

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
volatile std::sig_atomic_t displayUnreachable = 0;
volatile std::sig_atomic_t shutDownStatus = EXIT_SUCCESS;

[[noreturn]] void sayAndEnd(const QByteArray& line)
{
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, line.constData(), std::size_t(line.size()));
    ::_exit(EXIT_FAILURE);
}

std::size_t threadStack()
{
    rlimit stack{};
    if (::getrlimit(RLIMIT_STACK, &stack) != 0 || stack.rlim_cur == RLIM_INFINITY)
        return unlimitedStackThreadStack;
    return std::size_t(stack.rlim_cur);
}

// Where a thread could not be started, whether memory was the cause: the C
// library says the same for a full address space and for the limit on the
// user's processes and threads.
bool threadCouldBeStarted()
{
    void* stack = ::mmap(nullptr, threadStack(), PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (stack == MAP_FAILED)
        return false;
    ::munmap(stack, threadStack());
    return true;
}

// Qt's messages go unsaid: the program logs nothing. The fatal ones, and the
// few after which Qt would end the program silently or wait for ever, end it
// with a line that names what happened.
void qtMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (!qtRunning) {
        if (type == QtWarningMsg && message.startsWith(noDisplayWarning))
            displayUnreachable = 1;
        if (type == QtFatalMsg)
            sayAndEnd(displayUnreachable ? lines->noDisplay : lines->platformDidNotStart);
    }
    const std::optional<lastwords::Cause> cause = lastwords::causeOf(type, message);
    if (!cause)
        return;
    switch (*cause) {
    case lastwords::Cause::XConnectionLost:
        sayAndEnd(lines->xConnectionLost);
    case lastwords::Cause::MemoryExhausted:
        sayAndEnd(lines->memoryExhausted);
    case lastwords::Cause::ThreadNotStarted:
        sayAndEnd(threadCouldBeStarted() ? lines->threadNotStarted : lines->memoryExhausted);
    case lastwords::Cause::QtFatal:
    case lastwords::Cause::UncaughtException:
        break;
    }
    QByteArray line = lines->qtFatal;
    try {
        line = lastwords::line(lastwords::Cause::QtFatal, message);
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
                line = lastwords::uncaught(errors::caughtException());
            } catch (...) { // no memory to say more
            }
        }
    }
    sayAndEnd(line);
}

void shutDownTookTooLong(int)
{
    ::_exit(shutDownStatus);
}

// Composed in the locale's language, read once.
void composeLines()
{
    const terminaltext::Terminal& terminal = terminaltext::terminal();
    const QString platform = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        ? QString::fromLatin1(qtenvironment::x11Platform)
        : qEnvironmentVariable("QT_QPA_PLATFORM");
    static const Lines composed{
        lastwords::platformDidNotStart(platform, terminal),
        lastwords::noDisplay(qEnvironmentVariable("DISPLAY"), terminal),
        lastwords::line(lastwords::Cause::XConnectionLost, {}, terminal),
        lastwords::line(lastwords::Cause::MemoryExhausted, {}, terminal),
        lastwords::line(lastwords::Cause::QtFatal, {}, terminal),
        lastwords::line(lastwords::Cause::UncaughtException, {}, terminal),
        lastwords::threadNotStarted(resourcelimits::processLimit(), terminal),
    };
    lines = &composed;
}

// Libraries that run out of address space half-way through start-up crash
// (fontconfig) or wait for ever (xcb) instead of failing. Checking for the
// whole amount first, by reserving it without touching it, keeps them from
// getting there.
void checkAddressSpace()
{
    rlimit addressSpace{};
    if (::getrlimit(RLIMIT_AS, &addressSpace) != 0 || addressSpace.rlim_cur == RLIM_INFINITY)
        return;
    const std::size_t needed = startUpAddressSpace + qtThreads * threadStack();
    void* reserved = ::mmap(nullptr, needed, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (reserved == MAP_FAILED)
        sayAndEnd(lastwords::notEnoughAddressSpace((needed + mebibyte - 1) / mebibyte));
    ::munmap(reserved, needed);
}

} // namespace

void guardStart()
{
    composeLines();
    qInstallMessageHandler(qtMessage);
    std::set_terminate(uncaughtException);
    // glibc gives each thread that allocates an arena of its own, reserving
    // 64 MiB of address space for it. Qt's threads allocate little and seldom:
    // one arena for all keeps start-up's address space what it was measured as.
    ::mallopt(M_ARENA_MAX, 1);
    if (const std::optional<QByteArray> line = resourcelimits::shortfall())
        sayAndEnd(*line);
    checkAddressSpace();
}

void qtStarted()
{
    qtRunning = 1;
}

void checkScreen()
{
    if (const std::optional<unsigned> depth = x11::unpaintableDepth(x11::connection()))
        sayAndEnd(lastwords::displayCannotShowPicture(*depth));
}

void boundShutDown(int status)
{
    shutDownStatus = status;
    std::signal(SIGALRM, shutDownTookTooLong);
    ::alarm(shutDownLimitSeconds);
}

} // namespace startup
