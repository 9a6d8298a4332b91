// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

// The ways to close the window that only a real X server and window manager
// have: a click where the button really is on the screen, the window
// manager's close request (WM_DELETE_WINDOW), and its shortcut Alt+F4. Which
// keys close the window and which do not is the widget table's
// (tests/window_test.cpp, closingKeys); a key typed through X reaches the
// button in the runtime-directory rows (environment_e2e_test.cpp), and the
// robustness cycles close it by turns with the button, a key and the window
// manager (tests/robust/cycles.sh).
namespace e2e {
namespace {

struct CloseAction : tablerows::Named {
    std::function<void(Program&)> perform;
};

constexpr int shortcutPresses = 5;
constexpr auto shortcutWait = 2s;

const CloseAction closeActions[] = {
    {"ClickOnTheButton", [](Program& program) { program.click(buttonBounds.center()); }},
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

INSTANTIATE_TEST_SUITE_P(Action, Closing, testing::ValuesIn(closeActions), tablerows::byName);

} // namespace
} // namespace e2e
