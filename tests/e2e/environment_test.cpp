// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <sys/resource.h>

#include <sstream>
#include <string>

namespace e2e {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool addressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool addressSanitizer = true;
#else
constexpr bool addressSanitizer = false;
#endif
#else
constexpr bool addressSanitizer = false;
#endif

constexpr rlim_t memoryLimit = 80 * 1024 * 1024;

struct Ended {
    QProcess::ExitStatus status = QProcess::CrashExit;
    int code = -1;
    QString errors;
};

// Runs the program to its end, which it must reach by itself.
Ended runToEnd(const QProcessEnvironment& environment, bool limitMemory = false)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setChildProcessModifier([limitMemory] {
        if (limitMemory) {
            const rlimit limit{memoryLimit, memoryLimit};
            setrlimit(RLIMIT_AS, &limit);
        }
    });
    process.start(QStringLiteral(STEREOGRAM_PROGRAM), {});
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        throw Failure("the program did not end by itself");
    }
    return {process.exitStatus(), process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

// Ends with status 1 and one line on standard error, holding `says`.
void expectOneLine(const Ended& ended, const QString& says)
{
    EXPECT_EQ(ended.status, QProcess::NormalExit) << "crashed";
    EXPECT_EQ(ended.code, 1);
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

TEST(Environment, NoDisplaySaysSoInOneLine)
{
    expectOneLine(runToEnd(withoutDisplay()), QStringLiteral("ディスプレイに接続できません"));
}

TEST(Environment, ADisplayWithNoServerIsNamedInOneLine)
{
    QProcessEnvironment environment = withoutDisplay();
    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":1987"));
    expectOneLine(runToEnd(environment), QStringLiteral("ディスプレイ「:1987」に接続できません"));
}

TEST(Environment, AWindowSystemThatCannotStartEndsWithOneLine)
{
    QProcessEnvironment environment = withoutDisplay();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
    expectOneLine(runToEnd(environment), QStringLiteral("ウィンドウ システム「wayland」を開始できません"));
}

TEST(Environment, TooLittleAddressSpaceToStartEndsWithOneLine)
{
    if (addressSanitizer)
        GTEST_SKIP() << "an address-sanitised program cannot start under a memory limit at all";
    Display display;
    QProcessEnvironment environment = display.environment();
    expectOneLine(runToEnd(environment, true), QStringLiteral("メモリが足りないため起動できません"));
}

std::string describe(const QRect& rect)
{
    std::ostringstream out;
    out << '(' << rect.x() << ", " << rect.y() << ") " << rect.width() << 'x' << rect.height();
    return out.str();
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
    ASSERT_TRUE(program.waitForExit(10s));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.errorOutput().toStdString(), "");
}

TEST(Environment, ANormalRunSaysNothingEvenWithoutARuntimeDirectory)
{
    Display display;
    Launch launch;
    launch.unset = {QStringLiteral("XDG_RUNTIME_DIR"), QStringLiteral("QT_QPA_PLATFORM")};
    Program program(display, launch);
    firstView(program);
    program.type(QStringLiteral("space"));
    ASSERT_TRUE(program.waitForExit(10s));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.errorOutput().toStdString(), "");
}

} // namespace
} // namespace e2e
