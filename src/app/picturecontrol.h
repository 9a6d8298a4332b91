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
        if (qsizetype{static_cast<unsigned>(column)} < m_quickWidth
            && qsizetype{static_cast<unsigned>(row)} < m_quickHeight) [[likely]]
            m_bits[row * m_stride + column] = colours::toRgb32(colour);
        else
            setPixelSlowly(column, row, colour);
    }

    // Null until the first pixel write.
    const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void createPicture();
    // Everything but the common case: the first write, a write while on
    // screen, a write outside the picture. Out of line and cold, so that the
    // drawing loop keeps its values in registers.
    [[gnu::cold, gnu::noinline]] void setPixelSlowly(int column, int row, render::Colour colour);
    void updateQuickArea();

    QImage m_picture;
    bool m_created = false;
    // m_picture's pixels, at hand for setPixel; m_picture is never shared.
    QRgb* m_bits = nullptr;
    qsizetype m_stride = 0; // in pixels
    // Where a write needs no more than a store: the whole picture while the
    // control is off screen, nothing before the picture exists or while it
    // is shown. Wider than a pixel, so that to the compiler writing a pixel
    // cannot change them.
    qsizetype m_quickWidth = 0;
    qsizetype m_quickHeight = 0;
};
