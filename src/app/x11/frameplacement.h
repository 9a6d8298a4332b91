// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <optional>
#include <vector>

class QWidget;

// Places a top-level window so that its outer frame, title bar and border
// included, covers a given rectangle. The window is positioned as ICCCM's
// north-west gravity asks, so the frame's top-left corner is at the rectangle's
// whatever the frame. Its size needs the frame's: ask() puts the question to
// the window manager when the window is made, and place() reads the answer
// when it is first shown, by when a manager that answers such questions has
// usually done so. A manager that tells its frame only once the window is
// mapped, or tells it in steps (first none, then the title bar's), or,
// without EWMH, only reparents the window into its frame, tells it through an
// X event, and the client area is then resized to fit, for as long as the
// window has the size the placement gave it: once the user or the manager
// has sized it otherwise (maximised it, say), the frame is theirs. Nothing
// here waits: each answer is read once it is there.
class FramePlacement : public QAbstractNativeEventFilter {
public:
    FramePlacement() = default;
    ~FramePlacement() override;
    FramePlacement(const FramePlacement&) = delete;
    FramePlacement& operator=(const FramePlacement&) = delete;

    // Creates the window's native window, still hidden, and asks.
    void ask(QWidget* window);
    // Puts the window where its frame will cover `frame`; only the first call does anything.
    void place(const QRect& frame);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    enum class Answer : std::uint8_t {
        None,       // not on X11: nothing to hear
        Extents,    // _NET_FRAME_EXTENTS, set on the window
        Reparenting // the frame window the manager puts the window into
    };

    // The frame _NET_FRAME_EXTENTS tells now, where it fits the placed frame.
    std::optional<QMargins> toldExtents() const;
    // Stops listening for answers.
    void settle();
    // Resizes the client area so that the frame, `margins` around it, is the
    // placed size, unless the window has been sized otherwise meanwhile.
    void fit(const QMargins& margins);

    QWidget* m_window = nullptr;
    std::uint32_t m_native = 0;
    std::uint32_t m_extentsAtom = 0;
    Answer m_answer = Answer::None;
    QRect m_frame;                   // valid once placed
    std::vector<QSize> m_sizesGiven; // the client area's, as made and by the placement, the latest last
    bool m_listening = false;
};
