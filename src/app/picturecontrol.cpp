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

void PictureControl::createPicture()
{
    if (m_created)
        return; // an empty control has no picture
    m_created = true;
    const QSize size = this->size();
    if (size.isEmpty())
        return;
    QImage picture(size, QImage::Format_RGB32);
    if (picture.isNull())
        throw std::runtime_error(notEnoughResources);
    picture.fill(Qt::white);
    m_picture = std::move(picture);
    m_bits = reinterpret_cast<QRgb*>(m_picture.bits());
    m_stride = m_picture.bytesPerLine() / qsizetype(sizeof(QRgb));
    m_width = m_picture.width();
    m_height = m_picture.height();
}

void PictureControl::paintEvent(QPaintEvent* event)
{
    if (m_picture.isNull())
        return; // the window's background shows through
    QPainter painter(this);
    painter.drawImage(event->rect().topLeft(), m_picture, event->rect());
}

void PictureControl::showEvent(QShowEvent* event)
{
    m_screen = Screen::Shown;
    QWidget::showEvent(event);
}

void PictureControl::hideEvent(QHideEvent* event)
{
    m_screen = Screen::Hidden;
    QWidget::hideEvent(event);
}

void PictureControl::changed(int column, int row)
{
    update(column, row, 1, 1);
}
