// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/window/picturecontrol.h"

#include "app/texts/catalogue.h"

#include <QPaintEvent>
#include <QPainter>

#include <stdexcept>

PictureControl::PictureControl(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(texts::window::pictureSpokenName);
    setAccessibleDescription(texts::window::pictureSpokenDescription);
}

QImage& PictureControl::canvas()
{
    if (m_created)
        return m_picture;
    if (!size().isEmpty()) { // an empty control never gets a picture
        QImage picture = newPicture(size());
        if (picture.isNull())
            throw std::runtime_error(texts::window::notEnoughResources);
        picture.fill(Qt::white);
        m_picture = std::move(picture);
    }
    m_created = true;
    return m_picture;
}

void PictureControl::changed()
{
    update();
}

void PictureControl::paintEvent(QPaintEvent* event)
{
    if (m_picture.isNull())
        return; // the window's background shows through
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), m_picture, event->rect());
}

QImage PictureControl::newPicture(QSize size) const
{
    return QImage(size, QImage::Format_RGB32);
}
