// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/x11/taskbarlabel.h"
#include "harness.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

// The task-bar label, as X carries it in WM_ICON_NAME and _NET_WM_ICON_NAME,
// kept when Qt replaces the native window: only a real X server has
// native windows to replace. The program's title from its name is the unit
// table's (tests/title_test.cpp); the real program's properties under a real
// window manager are title_e2e_test.cpp's.
namespace e2e {
namespace {

// A window's 8-bit property; its text parts joined by commas, as xprop shows them.
std::string property(const Display& display, WId window, const char* name)
{
    const std::optional<xquery::Property> read = display.x().property(xcb_window_t(window), name);
    if (!read || read->format != 8)
        return std::string("no 8-bit ") + name;
    std::string parts = read->bytes;
    if (!parts.empty() && parts.back() == '\0')
        parts.pop_back();
    std::replace(parts.begin(), parts.end(), '\0', ',');
    return parts;
}

// A window whose native window can be thrown away and made anew, as the
// Qt does on its own when, say, a control that draws with OpenGL joins it.
class Recreatable : public QWidget {
public:
    void recreate()
    {
        destroy();
        create();
    }
};

// The label stays on the task-bar entry when the native window is replaced.
TEST(TaskBarLabel, FollowsTheWindowOntoANewNativeWindow)
{
    Display display;
    qputenv("DISPLAY", display.name().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    int argc = 1;
    char name[] = "label-test";
    char* argv[] = {name, nullptr};
    const auto application = std::make_unique<QApplication>(argc, argv);

    Recreatable window;
    labelTaskBarEntry(window, QStringLiteral("Stereo"));
    const WId first = window.winId();
    EXPECT_EQ(property(display, first, "WM_ICON_NAME"), "Stereo");

    window.recreate();
    window.show();
    const WId second = window.winId();
    ASSERT_NE(second, first) << "the native window was not replaced";
    EXPECT_EQ(property(display, second, "WM_ICON_NAME"), "Stereo");
    EXPECT_EQ(property(display, second, "_NET_WM_ICON_NAME"), "Stereo");
}

} // namespace
} // namespace e2e

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
