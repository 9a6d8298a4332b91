// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace e2e {
namespace {

struct CloseAction {
    std::string name;
    std::function<void(Program&)> perform;
};

void PrintTo(const CloseAction& action, std::ostream* out)
{
    *out << action.name;
}

CloseAction key(std::string name, const char* keys)
{
    return {std::move(name), [keys](Program& program) { program.type(QString::fromLatin1(keys)); }};
}

constexpr int shortcutPresses = 5;
constexpr auto shortcutWait = 2s;

const CloseAction closeActions[] = {
    {"ClickOnTheButton", [](Program& program) { program.click(buttonBounds.center()); }},
    key("Space", "space"),
    key("Return", "Return"),
    key("KeypadEnter", "KP_Enter"),
    key("LowerCaseC", "c"),
    key("UpperCaseC", "shift+c"),
    key("AltC", "alt+c"),
    {"WindowManagerCloseRequest",
     [](Program& program) {
         program.display().check(QStringLiteral("wmctrl"),
                                 {QStringLiteral("-i"), QStringLiteral("-c"), program.window()});
     }},
    // The window manager grabs its shortcuts some time after it has started
    // managing windows; on a busy machine the first press can come before the
    // grab and reach the program, which ignores it. So the press is repeated
    // for as long as the program runs, for a few seconds.
    {"WindowManagerShortcutAltF4",
     [](Program& program) {
         for (int press = 0; press < shortcutPresses && program.running(); ++press) {
             program.type(QStringLiteral("alt+F4"));
             program.waitForExit(shortcutWait);
         }
     }},
};

class Closing : public Running, public testing::WithParamInterface<CloseAction> {};

TEST_P(Closing, EndsTheProgramWithStatus0)
{
    GetParam().perform(*program);
    ASSERT_TRUE(program->waitForExit(10s)) << "still running 10 s later";
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit) << program->errorOutput().toStdString();
    EXPECT_EQ(program->exitCode(), 0) << program->errorOutput().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Action, Closing, testing::ValuesIn(closeActions),
                         [](const testing::TestParamInfo<CloseAction>& row) { return row.param.name; });

using KeepsRunning = Running;

TEST_F(KeepsRunning, OnEscape)
{
    program->type(QStringLiteral("Escape"));
    EXPECT_FALSE(program->waitForExit(1500ms)) << "ended with status " << program->exitCode();
    if (program->running()) {
        EXPECT_TRUE(program->geometry().viewable);
        // It still answers: the window manager's close request ends it normally.
        display->check(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), program->window()});
        ASSERT_TRUE(program->waitForExit(10s));
        EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program->exitCode(), 0);
    }
}

} // namespace
} // namespace e2e
