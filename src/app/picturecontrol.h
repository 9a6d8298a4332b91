#pragma once

#include "colours.h"

#include <QImage>
#include <QWidget>

// Shows a picture at 1:1 from its top-left corner, clipped to its own bounds.
// The picture comes into being, white, at the control's size at the first
// pixel write, and keeps that size whatever becomes of the control.
class PictureControl : public QWidget {
    Q_OBJECT

public:
    explicit PictureControl(QWidget* parent = nullptr);

    // A write outside the picture changes nothing. Throws std::runtime_error
    // when the picture cannot be created.
    void setPixel(int column, int row, render::Colour colour)
    {
        if (!m_created)
            createPicture();
        if (static_cast<unsigned>(column) >= static_cast<unsigned>(m_picture.width())
            || static_cast<unsigned>(row) >= static_cast<unsigned>(m_picture.height()))
            return;
        m_bits[row * m_stride + column] = colours::toRgb32(colour);
        // While hidden there is nothing on screen to bring up to date.
        if (isVisible())
            update(column, row, 1, 1);
    }

    // Null until the first pixel write.
    const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void createPicture();

    QImage m_picture;
    QRgb* m_bits = nullptr; // into m_picture, which is never shared
    qsizetype m_stride = 0; // in pixels
    bool m_created = false;
};
