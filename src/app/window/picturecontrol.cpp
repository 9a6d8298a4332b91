// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/window/picturecontrol.h"

#include <QPaintEvent>
#include <QPainter>
#include <stdexcept>

namespace {
const char* const notEnoughResources = "システム リソースが足りません";
const QString spokenName = QStringLiteral("ランダム ドット ステレオグラム");
const QString spokenDescription =
    QStringLiteral("色とりどりの細かい点だけでできた立体画像です。画面より奥を見るように視線を平行にすると、"
                   "三本の腕を持つ図形が平らな背景の手前に浮かび上がって見えます。"
                   "図形は点の並びの中にだけあり、画面読み上げでは伝えられません。");
} // namespace

PictureControl::PictureControl(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(spokenName);
    setAccessibleDescription(spokenDescription);
}

QImage& PictureControl::canvas()
{
    if (m_created)
        return m_picture;
    if (!size().isEmpty()) { // an empty control never gets a picture
        QImage picture = newPicture(size());
        if (picture.isNull())
            throw std::runtime_error(notEnoughResources);
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
