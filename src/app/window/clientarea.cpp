// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/window/clientarea.h"

#include <QChildEvent>
#include <QPaintEvent>
#include <QPainter>

ClientArea::ClientArea(render::Colour background, QWidget* parent)
    : QWidget(parent)
    , m_background(background)
{
    setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is painted by paintEvent
}

QSize ClientArea::minimumSizeHint() const
{
    const QRect controls = childrenRect();
    return QSize(controls.right() + 1, controls.bottom() + 1).expandedTo(QSize(0, 0));
}

void ClientArea::paintEvent(QPaintEvent* event)
{
    QPainter(this).fillRect(event->rect(), colours::toQColor(m_background, palette()));
}

void ClientArea::childEvent(QChildEvent* event)
{
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
    if (event->added() || event->removed())
        updateGeometry();
    QWidget::childEvent(event);
}

bool ClientArea::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize)
        updateGeometry(); // the scroll extent may have changed
    return QWidget::eventFilter(watched, event);
}
