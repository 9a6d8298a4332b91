// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QPixmap>
#include <QPushButton>

// A push button that closes the window holding it: clicked, or Space, Enter or
// its mnemonic key C, with or without Alt, while it has the focus. No other key
// does anything. It draws itself, so it looks the same under any style: the
// door glyph left of the caption, the two centred together; a frame and a
// dotted focus rectangle while it has the focus, from the first display on; a
// flat face, contents shifted down and right, while pressed; the glyph's
// greyed look while disabled.
class CloseButton : public QPushButton {
    Q_OBJECT

public:
    explicit CloseButton(QWidget* parent = nullptr);

    // The glyph's size and the gap between it and the caption.
    static constexpr int glyphSide = 18;
    static constexpr int glyphSpacing = 4;
    // How far the focus rectangle lies inside the button's edges.
    static constexpr int focusInset = 4;

    // Where the glyph and the caption go in the button as it is now.
    QRect glyphRect() const;
    QRect captionRect() const;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void paintFrame(QPainter& painter) const;
    void paintFocusRectangle(QPainter& painter) const;
    void paintCaption(QPainter& painter) const;
    // How far the contents move while the button is pressed.
    QPoint pressedShift() const;

    QPixmap m_glyph; // the up look, then the greyed look, side by side
};
