// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/x11/taskbarlabel.h"
#include "harness.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace e2e {
namespace {

// A window's property as xprop shows it.
std::string property(const Display& display, WId window, const char* name)
{
    const QByteArray answer = display.check(
        QStringLiteral("xprop"),
        {QStringLiteral("-id"), QString::number(window), QStringLiteral("-notype"), QString::fromLatin1(name)});
    return answer.trimmed().toStdString();
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
    EXPECT_EQ(property(display, first, "WM_ICON_NAME"), "WM_ICON_NAME = \"Stereo\"");

    window.recreate();
    window.show();
    const WId second = window.winId();
    ASSERT_NE(second, first) << "the native window was not replaced";
    EXPECT_EQ(property(display, second, "WM_ICON_NAME"), "WM_ICON_NAME = \"Stereo\"");
    EXPECT_EQ(property(display, second, "_NET_WM_ICON_NAME"), "_NET_WM_ICON_NAME = \"Stereo\"");
    EXPECT_EQ(property(display, second, "WM_CLASS"), "WM_CLASS = \"label-test\", \"Stereo\"");
}

} // namespace
} // namespace e2e

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
