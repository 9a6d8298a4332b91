// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/window/closebutton.h"

#include "app/texts/catalogue.h"
#include "app/window/colours.h"
#include "app/window/images.h"

#include <QBitmap>
#include <QKeyEvent>
#include <QPainter>
#include <QtWidgets/qdrawutil.h>

namespace {

const QPoint pressedOffset(1, 1);
const QPoint reliefOffset(1, 1);

// The glyph with the colour of its bottom-left pixel made transparent.
QPixmap loadGlyph()
{
    const QImage image = images::closeGlyph();
    if (image.isNull())
        return {};
    QPixmap glyph = QPixmap::fromImage(image);
    glyph.setMask(glyph.createMaskFromColor(image.pixelColor(0, image.height() - 1), Qt::MaskInColor));
    return glyph;
}

// Where something `size` long starts to be centred in `space`: an odd pixel
// left over goes before it, and it overhangs evenly where it does not fit.
int centred(int space, int size)
{
    const int spare = space - size + 1;
    return spare >= 0 ? spare / 2 : (spare - 1) / 2;
}

} // namespace

CloseButton::CloseButton(QWidget* parent)
    : QPushButton(texts::window::closeCaption, parent)
    , m_glyph(loadGlyph())
{
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
    setDefault(false);
    setAttribute(Qt::WA_OpaquePaintEvent); // the face covers every pixel
    setAccessibleName(texts::window::closeSpokenName);
    setAccessibleDescription(texts::window::closeSpokenDescription);
    connect(this, &QPushButton::clicked, this, [this] { window()->close(); });
}

QRect CloseButton::glyphRect() const
{
    const int contentWidth = glyphSide + glyphSpacing + captionRect().width();
    const QPoint topLeft(centred(width(), contentWidth), centred(height(), glyphSide));
    return QRect(topLeft + pressedShift(), QSize(glyphSide, glyphSide));
}

QRect CloseButton::captionRect() const
{
    const QSize size = fontMetrics().size(Qt::TextShowMnemonic, text());
    const int contentWidth = glyphSide + glyphSpacing + size.width();
    const QPoint topLeft(centred(width(), contentWidth) + glyphSide + glyphSpacing, centred(height(), size.height()));
    return QRect(topLeft + pressedShift(), size);
}

bool CloseButton::event(QEvent* event)
{
    // Alt+C closes at once, without the pressed look's delay that a mnemonic gets by default.
    if (event->type() == QEvent::Shortcut) {
        click();
        return true;
    }
    return QPushButton::event(event);
}

void CloseButton::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier;
    // The mnemonic is typed without Alt too, in either case.
    const bool mnemonic =
        event->key() == Qt::Key_C && (modifiers & ~(Qt::ShiftModifier | Qt::AltModifier)) == Qt::NoModifier;
    if (enter || mnemonic) {
        event->accept();
        click();
        return;
    }
    if (event->key() == Qt::Key_Space) {
        QPushButton::keyPressEvent(event); // pressed while held, clicks when let go
        return;
    }
    // Kept from the window, which would scroll on the page and arrow keys.
    event->accept();
}

void CloseButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    paintFrame(painter);
    const int look = isEnabled() ? 0 : 1;
    painter.drawPixmap(glyphRect().topLeft(), m_glyph, QRect(look * glyphSide, 0, glyphSide, glyphSide));
    paintCaption(painter);
    if (hasFocus())
        paintFocusRectangle(painter);
}

void CloseButton::paintFrame(QPainter& painter) const
{
    QRect edge = rect();
    if (hasFocus()) {
        qDrawPlainRect(&painter, edge, palette().color(QPalette::WindowText)); // the window-frame colour
        edge.adjust(1, 1, -1, -1);
    }
    if (isDown())
        qDrawPlainRect(&painter, edge, palette().color(QPalette::Dark));
    else
        qDrawWinPanel(&painter, edge, palette(), false);
}

void CloseButton::paintFocusRectangle(QPainter& painter) const
{
    const QRect r = rect().adjusted(focusInset, focusInset, -focusInset, -focusInset);
    const QColor dots = colours::toQColor(colours::clWindowText, palette());
    // Every other pixel, in a pattern fixed to the button, so the corners line up.
    const auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0)
            painter.fillRect(x, y, 1, 1, dots);
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        dot(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        dot(r.left(), y);
        dot(r.right(), y);
    }
}

void CloseButton::paintCaption(QPainter& painter) const
{
    const QRect at = captionRect();
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;
    if (isEnabled()) {
        painter.setPen(colours::toQColor(colours::clWindowText, palette()));
        painter.drawText(at, flags, text());
        return;
    }
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(at.translated(reliefOffset), flags, text());
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawText(at, flags, text());
}

QPoint CloseButton::pressedShift() const
{
    return isDown() ? pressedOffset : QPoint();
}
