// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/errors/errorreport.h"
#include "app/startup/fatalline.h"
#include "app/startup/startupguards.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <QtGlobal>

#include <cstddef>
#include <functional>
#include <new>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include <sys/resource.h>

namespace {

using fatalline::Cause;

struct MessageRow : tablerows::Named {
    QtMsgType type;
    const char* message;
    std::optional<Cause> cause;
};

class QtMessage : public testing::TestWithParam<MessageRow> {};

TEST_P(QtMessage, EndsTheProgramOnlyWhereQtWouldEndItOrWaitForEver)
{
    const MessageRow& row = GetParam();
    EXPECT_EQ(fatalline::causeOf(row.type, QString::fromUtf8(row.message)), row.cause);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QtMessage,
    testing::Values(
        MessageRow{"XServerGone", QtWarningMsg,
                   "The X11 connection broke: Error occurred while reading or writing to the X server socket. (code 1)",
                   Cause::XConnectionLost},
        MessageRow{"XRequestTooLong", QtWarningMsg,
                   "The X11 connection broke: Maximum allowed requested length exceeded (code 4)",
                   Cause::XConnectionLost},
        MessageRow{"XServerDied", QtWarningMsg, "The X11 connection broke (error 1). Did the X11 server die?",
                   Cause::XConnectionLost},
        MessageRow{"XConnectionOutOfMemory", QtWarningMsg, "The X11 connection broke: Insufficient memory (code 3)",
                   Cause::MemoryExhausted},
        MessageRow{"ThreadNotStarted", QtCriticalMsg,
                   "QThread::start: Thread creation error: Resource temporarily unavailable", Cause::ThreadNotStarted},
        MessageRow{"AnyFatal", QtFatalMsg, "Cannot mix incompatible Qt library", Cause::QtFatal},
        MessageRow{"OtherWarning", QtWarningMsg, "QFont::setPixelSize: Pixel size <= 0 (0)", std::nullopt},
        MessageRow{"OtherCritical", QtCriticalMsg, "QPainter::begin: Paint device returned engine == 0", std::nullopt},
        MessageRow{"BrokeWordedInPassing", QtWarningMsg, "Note: The X11 connection broke (code 3)", std::nullopt},
        MessageRow{"Debug", QtDebugMsg, "The X11 connection broke: (code 1)", std::nullopt}),
    tablerows::byName);

// How the program ends, with what it says, for each fatal cause: a child
// process runs the program's start-up guards and then meets the cause.
struct EndRow : tablerows::Named {
    const char* lang; // LANG, the locale's language, with LC_ALL and LC_MESSAGES unset
    std::function<void()> cause;
    const char* says; // a regular expression over standard error
};

class FatalEnd : public testing::TestWithParam<EndRow> {};

void throwFromNoexcept(const std::function<void()>& thrower) noexcept
{
    thrower();
}

TEST_P(FatalEnd, SaysWhatHappenedInOneLineAndEndsWithStatus1)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const EndRow& row = GetParam();
    EXPECT_EXIT(
        {
            qunsetenv("LC_ALL");
            qunsetenv("LC_MESSAGES");
            qunsetenv("LC_CTYPE");
            qunsetenv("LANGUAGE");
            qputenv("LANG", row.lang);
            startup::guardStart();
            startup::noteQtRunning();
            row.cause();
        },
        testing::ExitedWithCode(1), row.says);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FatalEnd,
    testing::Values(
        EndRow{"XServerGone", "ja_JP.UTF-8",
               [] { qWarning("The X11 connection broke: Error occurred while reading or writing (code 1)"); },
               "^X サーバーとの接続が切れたため終了します。\n$"},
        EndRow{"XServerGoneInEnglish", "en_US.UTF-8",
               [] { qWarning("The X11 connection broke: Error occurred while reading or writing (code 1)"); },
               "^Exiting: the connection to the X server was lost\\.\n$"},
        EndRow{"ThreadNotStarted", "ja_JP.UTF-8",
               [] { qCritical("QThread::start: Thread creation error: Resource temporarily unavailable"); },
               "^スレッドを開始できないため終了します。\n$"},
        EndRow{"AllocationFailedUncaught", "ja_JP.UTF-8", [] { throwFromNoexcept([] { throw std::bad_alloc(); }); },
               "^メモリが足りないため終了します。\n$"},
        EndRow{"QtFatal", "ja_JP.UTF-8", [] { qFatal("Cannot mix incompatible Qt library\nwith this library"); },
               "^Qt の致命的なエラーのため終了します: Cannot mix incompatible Qt library with this library\n$"},
        EndRow{"ExceptionUncaught", "ja_JP.UTF-8",
               [] { throwFromNoexcept([] { throw std::runtime_error("event handler failed\nbadly"); }); },
               "^捕捉されない例外のため終了します: std::runtime_errorがモジュール fatalline-test の "
               "[0-9A-F]{16} で発生しました。 event handler failed badly\\.\n$"},
        EndRow{"ExceptionUncaughtInEnglish", "C",
               [] { throwFromNoexcept([] { throw std::runtime_error("event handler failed\nbadly"); }); },
               "^Exiting: an exception was not caught: std::runtime_error in module fatalline-test at "
               "[0-9A-F]{16}\\. event handler failed badly\\.\n$"},
        EndRow{"NothingThrownButTerminated", "ja_JP.UTF-8", [] { std::terminate(); },
               "^捕捉されない例外のため終了します。\n$"},
        EndRow{"AnIgnoredWarningGoesOnQuietly", "ja_JP.UTF-8",
               [] {
                   qWarning("QFont::setPixelSize: Pixel size <= 0 (0)");
                   std::exit(1);
               },
               "^$"}),
    tablerows::byName);

// Quiet by default (AnIgnoredWarningGoesOnQuietly); Qt's logging variables
// bring Qt's own messages back.
TEST(QtDiagnostics, ReachStandardErrorWhenQtsLoggingIsAskedFor)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const char* variable : {"QT_LOGGING_RULES", "QT_MESSAGE_PATTERN"}) {
        EXPECT_EXIT(
            {
                qunsetenv("QT_LOGGING_RULES");
                qunsetenv("QT_MESSAGE_PATTERN");
                qputenv(variable, std::string_view(variable) == "QT_LOGGING_RULES" ? "qt.qpa.*=false" : "%{message}");
                startup::guardStart();
                startup::noteQtRunning();
                qWarning("QFont::setPixelSize: Pixel size <= 0 (0)");
                std::exit(1);
            },
            testing::ExitedWithCode(1), "QFont::setPixelSize: Pixel size <= 0")
            << variable;
    }
}

// gcc tells of AddressSanitizer by a macro, clang by a feature.
#if defined(__SANITIZE_ADDRESS__)
#define ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ADDRESS_SANITIZER 1
#endif
#endif

// The C library says the same for the limit on processes and for a full
// address space; the line tells them apart.
TEST(ThreadNotStarted, ForWantOfAddressSpaceIsSaidAsMemory)
{
#if defined(ADDRESS_SANITIZER)
    GTEST_SKIP() << "the sanitizers' allocator takes no address-space limit";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            qunsetenv("LC_ALL");
            qunsetenv("LC_MESSAGES");
            qunsetenv("LC_CTYPE");
            qunsetenv("LANGUAGE");
            qputenv("LANG", "en_US.UTF-8");
            startup::guardStart();
            startup::noteQtRunning();
            rlimit none{};
            none.rlim_max = RLIM_INFINITY;
            ::setrlimit(RLIMIT_AS, &none);
            qCritical("QThread::start: Thread creation error: Resource temporarily unavailable");
        },
        testing::ExitedWithCode(1), "^Exiting: out of memory\\.\n$");
}

const texts::Terminal japanese{texts::Language::Japanese, "UTF-8"};
const texts::Terminal english{texts::Language::English, "UTF-8"};

TEST(NotEnoughAddressSpace, SaysHowMuchStartUpNeeds)
{
    EXPECT_EQ(fatalline::notEnoughAddressSpace(48, japanese).toStdString(),
              "メモリが足りないため起動できません。起動には空きアドレス空間が 48 MiB 必要です (ulimit -v)。\n");
    EXPECT_EQ(fatalline::notEnoughAddressSpace(48, english).toStdString(),
              "Cannot start: out of memory. Start-up needs 48 MiB of free address space (ulimit -v).\n");
}

// Lines that name a limit say which, what it is and what start-up needs, in
// both languages.
struct LimitRow : tablerows::Named {
    std::function<QByteArray(const texts::Terminal&)> line;
    std::vector<const char*> names; // each of them in the line, in either language
};

class LimitLine : public testing::TestWithParam<LimitRow> {};

TEST_P(LimitLine, NamesTheLimitAndWhatStartUpNeeds)
{
    for (const texts::Terminal& terminal : {japanese, english}) {
        const QByteArray line = GetParam().line(terminal);
        EXPECT_TRUE(line.endsWith('\n') && line.count('\n') == 1) << line.toStdString();
        for (const char* name : GetParam().names)
            EXPECT_TRUE(line.contains(name)) << name << " in " << line.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LimitLine,
    testing::Values(LimitRow{"Data",
                             [](const auto& terminal) { return fatalline::notEnoughData(48, terminal); },
                             {"ulimit -d", "48 MiB"}},
                    LimitRow{"OpenFiles",
                             [](const auto& terminal) { return fatalline::fileLimit(7, 19, terminal); },
                             {"ulimit -n", " 7", " 19"}},
                    LimitRow{"Stack",
                             [](const auto& terminal) { return fatalline::stackLimit(80, 512, terminal); },
                             {"ulimit -s", "80 KiB", "512 KiB"}},
                    LimitRow{"ProcessesAndThreads",
                             [](const auto& terminal) { return fatalline::threadNotStarted(3, terminal); },
                             {"ulimit -u", " 3"}},
                    LimitRow{"ScreenDepth",
                             [](const auto& terminal) { return fatalline::displayCannotShowPicture(8, terminal); },
                             {"8", "15"}}),
    tablerows::byName);

// The memory the lines name, from the bytes start-up needs.
struct MebibyteRow : tablerows::Named {
    std::size_t bytes;
    unsigned long long named;
};

class Mebibytes : public testing::TestWithParam<MebibyteRow> {};

TEST_P(Mebibytes, AreNamedWholeAndNeverLessThanNeeded)
{
    EXPECT_EQ(fatalline::mebibytes(GetParam().bytes), GetParam().named);
}

constexpr std::size_t mebibyte = std::size_t{1} << 20;

INSTANTIATE_TEST_SUITE_P(Rows, Mebibytes,
                         testing::Values(MebibyteRow{"Nothing", 0, 0}, MebibyteRow{"OneByte", 1, 1},
                                         MebibyteRow{"OneMebibyte", mebibyte, 1},
                                         MebibyteRow{"AByteOverOneMebibyte", mebibyte + 1, 2},
                                         MebibyteRow{"AByteUnder48Mebibytes", 48 * mebibyte - 1, 48},
                                         MebibyteRow{"48Mebibytes", 48 * mebibyte, 48}),
                         tablerows::byName);

// An exception that nothing caught, as its line tells it: where the message
// is empty, the line ends with the sentence about where it was thrown.
struct UncaughtRow : tablerows::Named {
    const texts::Terminal* terminal;
    const char* message;
    const char* says;
};

class UncaughtLine : public testing::TestWithParam<UncaughtRow> {};

TEST_P(UncaughtLine, NamesWhatWasThrownWhereAndItsMessage)
{
    const UncaughtRow& row = GetParam();
    const errors::CaughtException caught{"std::runtime_error", row.message, {true, "stereogram", 0x1234}};
    EXPECT_EQ(fatalline::uncaught(caught, *row.terminal).toStdString(), row.says);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UncaughtLine,
    testing::Values(UncaughtRow{"WithAMessage", &english, "it failed",
                                "Exiting: an exception was not caught: std::runtime_error in module stereogram at "
                                "0000000000001234. it failed.\n"},
                    UncaughtRow{"WithAnEmptyMessage", &english, "",
                                "Exiting: an exception was not caught: std::runtime_error in module stereogram at "
                                "0000000000001234.\n"},
                    UncaughtRow{"WithAnEmptyMessageInJapanese", &japanese, "",
                                "捕捉されない例外のため終了します: std::runtime_errorがモジュール stereogram の "
                                "0000000000001234 で発生しました。\n"}),
    tablerows::byName);

} // namespace
