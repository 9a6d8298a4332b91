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
    m_created = true;
    const QSize size = this->size();
    if (size.isEmpty())
        return; // an empty control never gets a picture
    QImage picture(size, QImage::Format_RGB32);
    if (picture.isNull())
        throw std::runtime_error(notEnoughResources);
    picture.fill(Qt::white);
    m_picture = std::move(picture);
    m_bits = reinterpret_cast<QRgb*>(m_picture.bits());
    m_stride = m_picture.bytesPerLine() / qsizetype(sizeof(QRgb));
    updateQuickArea();
}

void PictureControl::setPixelSlowly(int column, int row, render::Colour colour)
{
    if (!m_created)
        createPicture();
    if (!m_picture.valid(column, row))
        return;
    m_bits[row * m_stride + column] = colours::toRgb32(colour);
    if (isVisible())
        update(column, row, 1, 1);
}

void PictureControl::updateQuickArea()
{
    const bool quick = m_bits && !isVisible();
    m_quickWidth = quick ? m_picture.width() : 0;
    m_quickHeight = quick ? m_picture.height() : 0;
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
    QWidget::showEvent(event);
    updateQuickArea();
}

void PictureControl::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    updateQuickArea();
}
