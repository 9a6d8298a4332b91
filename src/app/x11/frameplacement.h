// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QMargins>
#include <QRect>

#include <cstdint>

class QWidget;

// Places a top-level window so that its outer frame, title bar and border
// included, covers a given rectangle from the moment it is first shown. That
// needs the frame's size before the window is mapped: ask() puts the question
// to the window manager, and place() reads the answer, by when it is usually
// there already, so drawing in between costs no waiting.
class FramePlacement {
public:
    // Creates the window's native window, still hidden, and asks.
    void ask(QWidget* window);
    // Puts the window where its frame will cover `frame`; only the first call does anything.
    void place(const QRect& frame);

private:
    // The frame the window manager will draw; empty where there is none, or it cannot tell in advance.
    QMargins answer();

    QWidget* m_window = nullptr;
    std::uint32_t m_extentsAtom = 0; // nonzero while an answer is awaited
    bool m_placed = false;
};
