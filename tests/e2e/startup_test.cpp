// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>

namespace e2e {
namespace {

struct Capture {
    FirstView first;
    QString window;
    QStringList visibleWindowsOfProgram; // as 0x...
    QString title;
};

// One start of the program, looked at by every test here.
class FreshStart : public testing::Test {
protected:
    static void TearDownTestSuite()
    {
        capture.reset();
        failure.clear();
    }

    void SetUp() override
    {
        if (!capture && failure.empty()) {
            try {
                capture = take();
            } catch (const std::exception& error) {
                failure = error.what();
            }
        }
        if (!failure.empty())
            FAIL() << failure;
    }

    const Capture& captured() const { return *capture; }
    const FirstView& first() const { return capture->first; }
    const QImage& screenshot() const { return capture->first.view.screenshot; }
    const QRect& client() const { return capture->first.geometry().client; }

private:
    static Capture take()
    {
        Display display;
        Program program(display);
        Capture taken;
        taken.first = firstView(program);
        taken.window = program.window();
        const ToolOutput found = display.run(QStringLiteral("xdotool"),
                                             {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                              QStringLiteral("--pid"), QString::number(program.pid())});
        for (const QByteArray& id : found.out.trimmed().split('\n')) {
            if (!id.isEmpty())
                taken.visibleWindowsOfProgram << QStringLiteral("0x") + QString::number(id.toULongLong(), 16);
        }
        taken.title =
            QString::fromUtf8(display.check(QStringLiteral("xprop"),
                                            {QStringLiteral("-id"), program.window(), QStringLiteral("_NET_WM_NAME")}))
                .trimmed();
        return taken;
    }

    static inline std::optional<Capture> capture;
    static inline std::string failure;
};

TEST_F(FreshStart, ShowsOneWindowCaptionedForm1)
{
    EXPECT_EQ(captured().visibleWindowsOfProgram, QStringList{captured().window})
        << "visible windows of the program: "
        << captured().visibleWindowsOfProgram.join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(captured().title.endsWith(QStringLiteral("= \"Form1\""))) << captured().title.toStdString();
}

TEST_F(FreshStart, FrameSitsAt192x120WithOuterSize873x735)
{
    const WindowGeometry& geometry = first().geometry();
    EXPECT_GT(geometry.frameExtents.top(), 0) << "no title bar: the window manager did not frame the window";
    EXPECT_EQ(describe(geometry.frame()), describe(expectedFrame))
        << "client area " << describe(geometry.client) << ", frame extents left " << geometry.frameExtents.left()
        << " right " << geometry.frameExtents.right() << " top " << geometry.frameExtents.top() << " bottom "
        << geometry.frameExtents.bottom();
}

TEST_F(FreshStart, EveryPicturePixelIsADotColour)
{
    EXPECT_TRUE(allPaletteColours(first().picture));
}

TEST_F(FreshStart, TopAndBottomBandsRepeatEvery120Columns)
{
    EXPECT_TRUE(repeatsEvery120(first().picture));
}

TEST_F(FreshStart, TheEmblemReadsBack)
{
    EXPECT_TRUE(emblemReadsBack(first().picture));
}

TEST_F(FreshStart, ClientAreaAroundTheControlsIsOneNearBlackRed)
{
    EXPECT_TRUE(isNearBlackRed(first().background));
    EXPECT_TRUE(backgroundAround(screenshot(), client(), first().background, first().button));
}

TEST_F(FreshStart, ButtonCoversItsBounds)
{
    EXPECT_TRUE(buttonFillsItsBounds(screenshot(), client(), first().background, first().button));
}

} // namespace
} // namespace e2e
