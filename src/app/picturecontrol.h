#pragma once

#include "colours.h"

#include <QImage>

#include <cstdint>
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
        if (!m_bits) [[unlikely]] {
            createPicture();
            if (!m_bits)
                return;
        }
        if (qsizetype{static_cast<unsigned>(column)} >= m_width || qsizetype{static_cast<unsigned>(row)} >= m_height)
            return;
        m_bits[row * m_stride + column] = colours::toRgb32(colour);
        // While hidden there is nothing on screen to bring up to date.
        if (m_screen == Screen::Shown) [[unlikely]]
            changed(column, row);
    }

    // Null until the first pixel write.
    const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void createPicture();
    // Out of line and marked cold, so that the drawing loop keeps its values in registers.
    [[gnu::cold, gnu::noinline]] void changed(int column, int row);

    QImage m_picture;
    // m_picture's pixels and size, kept at hand for setPixel; m_picture is never shared.
    QRgb* m_bits = nullptr;
    qsizetype m_stride = 0; // in pixels
    // Wider than the pixels, so that writing a pixel cannot change them as far
    // as the compiler knows, and they stay in registers while drawing.
    qsizetype m_width = 0;
    qsizetype m_height = 0;
    // isVisible(), followed here for the same reason: neither a pixel nor a
    // bool can alias an enum.
    enum class Screen : std::uint8_t { Hidden, Shown };
    Screen m_screen = Screen::Hidden;
    bool m_created = false;
};
