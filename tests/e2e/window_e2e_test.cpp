// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "harness.h"
#include "running.h"
#include "screenchecks.h"

#include <gtest/gtest.h>

// The window under the window manager's own requests: made smaller, maximised,
// minimised and restored, it shows the same picture in the same place on the
// same background. That the window scrolls instead of shrinking its controls
// is the widget test's (tests/window_test.cpp, scrollsInsteadOfShrinking);
// here the window manager does the resizing.
namespace e2e {
namespace {

using Window = Running;

// The picture as it first showed, at its place in the client area, and the
// background around it.
testing::AssertionResult picture(const FirstView& start, const View& view)
{
    return samePixels(start.picture, cut(view.screenshot, view.geometry.client.topLeft(), pictureBounds));
}

testing::AssertionResult background(const FirstView& start, const View& view)
{
    return backgroundAround(view.screenshot, view.geometry.client, start.background, start.button);
}

void resizeClient(Program& program, QSize size)
{
    program.display().check(QStringLiteral("wmctrl"),
                            {QStringLiteral("-i"), QStringLiteral("-r"), program.window(), QStringLiteral("-e"),
                             QStringLiteral("0,-1,-1,%1,%2").arg(size.width()).arg(size.height())});
}

TEST_F(Window, SmallerShowsScrollBarsOverTheSamePictureAndBackRestoresIt)
{
    const QSize small(600, 500);
    resizeClient(*program, small);
    // Scrolled to the top-left: the part of the picture clear of any scroll bar.
    const QRect inView(0, 0, small.width() - pictureBounds.left() - 40, small.height() - pictureBounds.top() - 40);
    const auto pictureInView = [&](const View& view) {
        return samePixels(cut(start.picture, QPoint(0, 0), inView),
                          cut(view.screenshot, view.geometry.client.topLeft() + pictureBounds.topLeft(), inView));
    };
    const auto scrollBars = [&](const View& view) {
        return scrollBarsShown(view.screenshot, view.geometry.client, start.background);
    };
    View view = waitForView(*program, [&](const View& candidate) {
        return candidate.geometry.client.size() == small && scrollBars(candidate) && pictureInView(candidate);
    });
    ASSERT_EQ(view.geometry.client.width(), small.width());
    ASSERT_EQ(view.geometry.client.height(), small.height());
    EXPECT_TRUE(scrollBars(view));
    EXPECT_TRUE(pictureInView(view));

    const QSize original = start.geometry().client.size();
    resizeClient(*program, original);
    view = waitForView(*program, [&](const View& candidate) {
        return candidate.geometry.client.size() == original && picture(start, candidate)
            && background(start, candidate);
    });
    ASSERT_EQ(view.geometry.client.width(), original.width());
    ASSERT_EQ(view.geometry.client.height(), original.height());
    EXPECT_TRUE(picture(start, view));
    EXPECT_TRUE(background(start, view));
}

TEST_F(Window, MaximisedKeepsThePictureInPlaceOnTheBackground)
{
    display->check(QStringLiteral("wmctrl"),
                   {QStringLiteral("-i"), QStringLiteral("-r"), program->window(), QStringLiteral("-b"),
                    QStringLiteral("add,maximized_vert,maximized_horz")});
    const QSize before = start.geometry().client.size();
    const auto enlarged = [&](const View& view) {
        return view.geometry.client.width() > before.width() && view.geometry.client.height() > before.height();
    };
    const View view = waitForView(*program, [&](const View& candidate) {
        return enlarged(candidate) && picture(start, candidate) && background(start, candidate);
    });
    ASSERT_TRUE(enlarged(view)) << "client area still " << view.geometry.client.width() << "x"
                                << view.geometry.client.height();
    EXPECT_TRUE(picture(start, view));
    EXPECT_TRUE(background(start, view));
}

TEST_F(Window, MinimisedAndRestoredShowsTheSamePicture)
{
    display->check(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), program->window()});
    const WindowGeometry hidden = program->waitForGeometry([](const WindowGeometry& g) { return !g.viewable; });
    ASSERT_FALSE(hidden.viewable) << "the window did not go away";

    display->check(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-a"), program->window()});
    const View view = waitForView(
        *program, [&](const View& candidate) { return picture(start, candidate) && background(start, candidate); });
    ASSERT_TRUE(view.geometry.viewable) << "the window did not come back";
    EXPECT_TRUE(picture(start, view));
    EXPECT_TRUE(background(start, view));
}

} // namespace
} // namespace e2e
