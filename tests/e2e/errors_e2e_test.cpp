// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#ifndef STEREOGRAM_FAULTS_PROGRAM
#error "STEREOGRAM_FAULTS_PROGRAM must name the program whose start-up fails"
#endif

// Start-up failures of the real program's code, in a build of it whose window
// fails on purpose (tests/faults). What an error box holds, its caption, text,
// icon, button and modality, and where the failure was thrown, is the widget
// test's, in process (tests/errors_test.cpp). Here is what only a real X
// server and window manager show: the box is a window of its own, up before
// the program's window, captioned as X carries it and modal as the window
// manager is told, with the error icon on the screen; Enter, or a click where
// its OK button really is, dismisses it; then the window opens as the failure
// left it, or the program ends with status 1.
namespace e2e {
namespace {

const QString faultsProgram = QStringLiteral(STEREOGRAM_FAULTS_PROGRAM);
const QString programTitle = QStringLiteral("stereogram-faults"); // from the executable's name
const QString applicationErrorCaption = QStringLiteral("アプリケーション エラー");

std::string text(const QString& string)
{
    return string.toStdString();
}

// An error box on screen, as X shows it.
struct ShownBox {
    xcb_window_t window = XCB_WINDOW_NONE;
    QRect client;       // on the screen
    QString wmName;     // as the window manager reads the caption
    bool modal = false; // as the window manager is told
    QImage image;       // the client area
    QPoint ok;          // the OK button's centre in the client area, as the program reports it
};

// A patch of the error icon's red: pure red dominates a few hundred pixels.
testing::AssertionResult showsTheErrorIcon(const QImage& box)
{
    constexpr int strong = 180;
    constexpr int weak = 80;
    constexpr int iconPixels = 100;
    int red = 0;
    for (int y = 0; y < box.height(); ++y)
        for (int x = 0; x < box.width(); ++x) {
            const QRgb pixel = box.pixel(x, y);
            red += qRed(pixel) > strong && qGreen(pixel) < weak && qBlue(pixel) < weak;
        }
    if (red >= iconPixels)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "only " << red << " red pixels in the box";
}

testing::AssertionResult allPixels(const QImage& area, QRgb colour)
{
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            if ((area.pixel(x, y) | 0xFF000000u) != (colour | 0xFF000000u))
                return testing::AssertionFailure()
                    << "pixel (" << x << ", " << y << ") is " << std::hex << area.pixel(x, y) << ", not " << colour;
    return testing::AssertionSuccess();
}

class StartupFailure : public testing::Test {
protected:
    void SetUp() override { display = std::make_unique<Display>(); }
    void TearDown() override
    {
        program.reset();
        display.reset();
    }

    void start(const QString& scenario)
    {
        program = std::make_unique<Program>(*display, faultsProgram, QStringList{scenario});
    }

    ShownBox waitForBox(const QString& caption)
    {
        ShownBox box;
        box.window = program->waitForWindowCaptioned(caption);
        const QStringList ok = program->waitForOutput(QStringLiteral("ok")).split(QLatin1Char(','));
        box.ok = QPoint(ok.value(0).toInt(), ok.value(1).toInt());

        xquery::Connection& x = display->x();
        const std::optional<xquery::Geometry> where = x.geometry(box.window);
        if (!where)
            throw Failure("the error box went away");
        box.client = QRect(where->x, where->y, where->width, where->height);
        const std::optional<xquery::Property> name = x.property(box.window, "_NET_WM_NAME");
        box.wmName = name ? QString::fromUtf8(QByteArray::fromStdString(name->bytes)) : QString();
        const std::optional<xquery::Property> state = x.property(box.window, "_NET_WM_STATE");
        box.modal = state
            && std::find(state->values.begin(), state->values.end(), x.atom("_NET_WM_STATE_MODAL"))
                != state->values.end();
        box.image = cut(display->screenshot(), box.client.topLeft(), QRect(QPoint(0, 0), box.client.size()));
        return box;
    }

    void expectErrorBox(const ShownBox& box, const QString& caption)
    {
        EXPECT_EQ(text(box.wmName), text(caption));
        EXPECT_TRUE(box.modal) << "_NET_WM_STATE has no _NET_WM_STATE_MODAL";
        EXPECT_TRUE(showsTheErrorIcon(box.image));
        EXPECT_TRUE(program->windowsCaptioned(QStringLiteral("Form1")).empty()) << "the window is shown already";
    }

    void pressEnter(const ShownBox& box)
    {
        display->check(QStringLiteral("xdotool"),
                       {QStringLiteral("windowactivate"), QStringLiteral("--sync"), toolId(box.window)});
        display->check(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
    }

    void clickOk(const ShownBox& box)
    {
        const QPoint at = box.client.topLeft() + box.ok;
        display->check(QStringLiteral("xdotool"),
                       {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()),
                        QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
    }

    // After the box: the window as it shows once painted and still, and `wanted` of its client area.
    View windowOnceShown(const std::function<bool(const QImage& client)>& wanted)
    {
        program->waitForWindow();
        return waitForView(*program, [&](const View& view) {
            return wanted(
                cut(view.screenshot, view.geometry.client.topLeft(), QRect(QPoint(0, 0), view.geometry.client.size())));
        });
    }

    // After the box, the window shows `background` all over the picture's
    // place and around the controls, the picture having failed; the predicate
    // tells the background the failure left.
    void expectTheBackgroundThroughThePicture(const std::function<bool(QRgb)>& isLeftBackground)
    {
        const auto backgroundEverywhere = [&](const QImage& client) {
            const QRgb background = client.pixel(0, 0);
            return isLeftBackground(background | 0xFF000000u)
                && allPixels(cut(client, QPoint(0, 0), pictureBounds), background);
        };
        const View view = windowOnceShown(backgroundEverywhere);
        const QRect& client = view.geometry.client;
        const QRgb background = view.screenshot.pixel(client.topLeft()) | 0xFF000000u;
        EXPECT_TRUE(isLeftBackground(background)) << std::hex << background;
        EXPECT_TRUE(allPixels(cut(view.screenshot, client.topLeft(), pictureBounds), background));
        EXPECT_TRUE(
            backgroundAround(view.screenshot, client, background, scaledButton(measureText(*display).textHeight)));
    }

    void closeTheWindowAndExpectExit(int status)
    {
        program->type(QStringLiteral("Return"));
        ASSERT_TRUE(program->waitForExit(5s));
        EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program->exitCode(), status);
    }

    std::unique_ptr<Display> display;
    std::unique_ptr<Program> program;
};

// A failure while the picture is drawn: the box, dismissed by the key or by
// the mouse, then the window with the background the failure left.
enum class Dismissal { Enter, ClickOnOk };

struct FailedDrawing : tablerows::Named {
    const char* fault; // as tests/faults takes it
    Dismissal dismissal;
    bool dotColouredBackground; // the first chain's colour was set before the failure
};

class FailedDrawingReport : public StartupFailure, public testing::WithParamInterface<FailedDrawing> {};

TEST_P(FailedDrawingReport, ThenTheWindowOpensOnTheBackgroundTheFailureLeft)
{
    const FailedDrawing& row = GetParam();
    start(QString::fromLatin1(row.fault));
    const ShownBox box = waitForBox(programTitle);
    expectErrorBox(box, programTitle);

    if (row.dismissal == Dismissal::Enter)
        pressEnter(box);
    else
        clickOk(box);
    expectTheBackgroundThroughThePicture(
        [&row](QRgb background) { return bool(isNearBlackRed(background)) == row.dotColouredBackground; });
    closeTheWindowAndExpectExit(0);
}

INSTANTIATE_TEST_SUITE_P(Rows, FailedDrawingReport,
                         testing::Values(
                             // The clock failed before the first dot: the background is still the button face.
                             FailedDrawing{"ClockFailedBeforeTheFirstDot", "clock", Dismissal::Enter, false},
                             FailedDrawing{"PictureCouldNotBeCreated", "picture", Dismissal::ClickOnOk, true}),
                         tablerows::byName);

TEST_F(StartupFailure, ConstructionFailureIsAnApplicationErrorAndEndsTheProgram)
{
    start(QStringLiteral("layout"));
    const ShownBox box = waitForBox(applicationErrorCaption);
    expectErrorBox(box, applicationErrorCaption);

    pressEnter(box);
    ASSERT_TRUE(program->waitForExit(5s)) << "still running once the box was dismissed";
    EXPECT_EQ(program->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program->exitCode(), 1);
}

} // namespace
} // namespace e2e
