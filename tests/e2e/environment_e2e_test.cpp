// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

// The real program in the environment it is started in: a terminal with no
// display, a display with no server, a window system that cannot start,
// Wayland's variables beside X, and Qt's runtime directory missing or
// unusable. What the program says is worded in the unit tables: which
// variable sets the language and what --help and --version answer
// (tests/terminal_test.cpp), and each fatal line (tests/fatalline_test.cpp).
// Here one locale per language shows that the program reads its environment
// at all, both where it answers on the terminal and where it fails to start.
namespace e2e {
namespace {

struct Ended {
    QProcess::ExitStatus status = QProcess::CrashExit;
    int code = -1;
    QString output;
    QString errors;
};

// Runs the program to its end, which it must reach by itself.
Ended runToEnd(const QProcessEnvironment& environment, const QStringList& arguments = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(STEREOGRAM_PROGRAM), arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        throw Failure("the program did not end by itself");
    }
    return {process.exitStatus(), process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Ends with status 1 and one line on standard error, holding `says`, and
// nothing on standard output.
void expectOneLine(const Ended& ended, const QString& says)
{
    EXPECT_EQ(ended.status, QProcess::NormalExit) << "crashed";
    EXPECT_EQ(ended.code, 1);
    EXPECT_EQ(ended.output.toStdString(), "");
    EXPECT_TRUE(ended.errors.endsWith(QLatin1Char('\n')) && ended.errors.count(QLatin1Char('\n')) == 1)
        << "standard error: " << ended.errors.toStdString();
    EXPECT_TRUE(ended.errors.contains(says)) << "standard error: " << ended.errors.toStdString();
}

QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XAUTHORITY"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

// The locale's messages as the program reads them: LANGUAGE, then LC_ALL,
// LC_MESSAGES and LANG. One row a language, each with the other language in a
// variable it overrides, so that a program that read the variables in another
// order would answer in the wrong one; and one where LANGUAGE asks for
// Japanese in an English locale.
struct Locale : tablerows::Named {
    const char* language; // LANGUAGE
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    bool japanese;
};

constexpr Locale locales[] = {
    {"MessagesJapaneseOverEnglishLang", "", "", "ja_JP.UTF-8", "en_GB.UTF-8", true},
    {"AllEnglishOverJapaneseMessages", "", "en_US.UTF-8", "ja_JP.UTF-8", "ja_JP.UTF-8", false},
    {"LanguageListJapaneseOverEnglishLang", "fr:ja:en", "", "", "en_US.UTF-8", true},
};

QProcessEnvironment inLocale(QProcessEnvironment environment, const Locale& locale)
{
    environment.remove(QStringLiteral("LC_CTYPE"));
    const std::pair<const char*, const char*> settings[] = {{"LANGUAGE", locale.language},
                                                            {"LC_ALL", locale.lcAll},
                                                            {"LC_MESSAGES", locale.lcMessages},
                                                            {"LANG", locale.lang}};
    for (const auto& [name, value] : settings) {
        if (*value)
            environment.insert(QString::fromLatin1(name), QString::fromLatin1(value));
        else
            environment.remove(QString::fromLatin1(name));
    }
    return environment;
}

// A start that cannot succeed, and what its one line says in each language.
struct FailedStartRow : tablerows::Named {
    std::function<QProcessEnvironment()> environment;
    const char* japanese;
    const char* english;
};

class FailedStart : public testing::TestWithParam<FailedStartRow> {};

TEST_P(FailedStart, SaysWhyInOneLineInTheLocalesLanguage)
{
    const FailedStartRow& row = GetParam();
    for (const Locale& locale : locales) {
        SCOPED_TRACE(locale.name);
        expectOneLine(runToEnd(inLocale(row.environment(), locale)),
                      QString::fromUtf8(locale.japanese ? row.japanese : row.english));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FailedStart,
    testing::Values(FailedStartRow{"NoDisplay", withoutDisplay, "ディスプレイに接続できません",
                                   "Cannot connect to a display: DISPLAY is not set."},
                    FailedStartRow{"ADisplayWithNoServer",
                                   [] {
                                       QProcessEnvironment environment = withoutDisplay();
                                       environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":1987"));
                                       return environment;
                                   },
                                   "ディスプレイ「:1987」に接続できません", "Cannot connect to the display \":1987\"."},
                    FailedStartRow{"AWindowSystemThatCannotStart",
                                   [] {
                                       QProcessEnvironment environment = withoutDisplay();
                                       environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
                                       return environment;
                                   },
                                   "ウィンドウ システム「wayland」を開始できません",
                                   "Cannot start the window system \"wayland\"."}),
    tablerows::byName);

// --help and --version answer on standard output, in the locale's language,
// and end the program before it looks for a display: with none, any attempt
// to start would end with status 1.
struct AnswerRow : tablerows::Named {
    QStringList arguments;
    const char* japanese; // how the answer starts
    const char* english;
};

class TerminalAnswer : public testing::TestWithParam<AnswerRow> {};

TEST_P(TerminalAnswer, GoesToStandardOutputAndEndsWithStatus0WithoutAWindow)
{
    const AnswerRow& row = GetParam();
    for (const Locale& locale : locales) {
        SCOPED_TRACE(locale.name);
        const Ended ended = runToEnd(inLocale(withoutDisplay(), locale), row.arguments);
        EXPECT_EQ(ended.status, QProcess::NormalExit);
        EXPECT_EQ(ended.code, 0);
        EXPECT_TRUE(ended.output.startsWith(QString::fromUtf8(locale.japanese ? row.japanese : row.english)))
            << ended.output.toStdString();
        EXPECT_TRUE(ended.output.endsWith(QLatin1Char('\n')));
        EXPECT_EQ(ended.errors.toStdString(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, TerminalAnswer,
                         testing::Values(AnswerRow{"Help",
                                                   {QStringLiteral("--help")},
                                                   "使い方: stereogram [-maximized | -iconic]\n",
                                                   "Usage: stereogram [-maximized | -iconic]\n"}),
                         tablerows::byName);

// Once the program has ended, no window captioned Form1 is left, mapped or
// not; the X server removes a client's windows once it sees its connection close.
testing::AssertionResult noWindowLeft(const Program& program)
{
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    for (;;) {
        const std::vector<xcb_window_t> left = program.windowsCaptioned(QStringLiteral("Form1"), false);
        if (left.empty())
            return testing::AssertionSuccess();
        if (std::chrono::steady_clock::now() >= deadline)
            return testing::AssertionFailure() << "windows left: " << toolId(left.front()).toStdString() << "...";
        std::this_thread::sleep_for(50ms);
    }
}

// Closed, the program ends with status 0, having said nothing on either
// stream, and leaves no window behind.
void expectQuietEnd(Program& program)
{
    ASSERT_TRUE(program.waitForExit(10s)) << "still running 10 s after it was closed";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.errorOutput().toStdString(), "");
    EXPECT_EQ(program.standardOutput().toStdString(), "");
    EXPECT_TRUE(noWindowLeft(program));
}

TEST(Environment, WaylandSessionVariablesBesideXStillPlaceTheWindowExactly)
{
    Display display;
    Launch launch;
    launch.set = {{QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-0")},
                  {QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland")}};
    launch.unset = {QStringLiteral("QT_QPA_PLATFORM")};
    Program program(display, launch);
    const FirstView first = firstView(program);
    EXPECT_EQ(describe(first.geometry().frame()), describe(expectedFrame));
    display.check(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), program.window()});
    expectQuietEnd(program);
}

// Qt's runtime directory, where it would keep per-session files, missing or
// unusable: an ordinary run still says nothing.
struct RuntimeDirectoryRow : tablerows::Named {
    const char* path; // null: XDG_RUNTIME_DIR not set at all
};

class RuntimeDirectory : public testing::TestWithParam<RuntimeDirectoryRow> {};

TEST_P(RuntimeDirectory, ANormalRunSaysNothingAndEndsWithStatus0)
{
    const RuntimeDirectoryRow& row = GetParam();
    Display display;
    Launch launch;
    if (row.path)
        launch.set = {{QStringLiteral("XDG_RUNTIME_DIR"), QString::fromLatin1(row.path)}};
    else
        launch.unset = {QStringLiteral("XDG_RUNTIME_DIR")};
    launch.unset << QStringLiteral("QT_QPA_PLATFORM");
    Program program(display, launch);
    firstView(program);
    program.type(QStringLiteral("space"));
    expectQuietEnd(program);
}

INSTANTIATE_TEST_SUITE_P(Rows, RuntimeDirectory,
                         testing::Values(RuntimeDirectoryRow{"NotSet", nullptr},
                                         RuntimeDirectoryRow{"CannotBeCreated", "/proc/stereogram-runtime"},
                                         RuntimeDirectoryRow{"NotWritable", "/proc/1"},
                                         RuntimeDirectoryRow{"NotADirectory", "/dev/null"}),
                         tablerows::byName);

} // namespace
} // namespace e2e
