#include "picturecontrol.h"

#include <QPaintEvent>
#include <QPainter>
#include <stdexcept>

namespace {
const char* const notEnoughResources = "システム リソースが足りません";
}

PictureControl::PictureControl(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

QImage& PictureControl::canvas()
{
    if (m_created)
        return m_picture;
    if (!size().isEmpty()) { // an empty control never gets a picture
        QImage picture(size(), QImage::Format_RGB32);
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
