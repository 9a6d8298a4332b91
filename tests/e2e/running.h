// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "harness.h"

#include <gtest/gtest.h>

#include <memory>

namespace e2e {

// The program's window once it has first been painted completely.
struct FirstView {
    View view;
    QImage picture;
    QRgb background = 0; // at the client area's top-left corner
    QRect button;        // where the button should be on this display

    const WindowGeometry& geometry() const { return view.geometry; }
};

// The screen's logical resolution on a display, and the height of a line of
// text in the window's face at the size that resolution gives it.
struct TextMetrics {
    int dotsPerInch = 0;
    int textHeight = 0;
};
TextMetrics measureText(const Display& display);

// Waits (bounded) until the window looks the same on two screenshots in a row
// with the picture in it, and takes that view.
FirstView firstView(const Program& program);

inline constexpr int designDotsPerInch = 120;

// A fresh X display at the layout's design resolution with the program
// running on it, its window painted.
class Running : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<Display> display;
    std::unique_ptr<Program> program;
    FirstView start;
};

} // namespace e2e
