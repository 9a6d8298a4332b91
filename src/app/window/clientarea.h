// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/window/colours.h"

#include <QWidget>

// The window's client area: holds the controls, paints the window's background
// colour around them, and asks for scroll bars when it is smaller than the
// controls' extent (their largest right and bottom edges).
class ClientArea : public QWidget {
    Q_OBJECT

public:
    explicit ClientArea(render::Colour background, QWidget* parent = nullptr);

    render::Colour background() const { return m_background; }
    void setBackground(render::Colour colour)
    {
        if (colour == m_background)
            return;
        m_background = colour;
        // While hidden there is nothing on screen to bring up to date.
        if (isVisible())
            update();
    }

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    render::Colour m_background = 0;
};
