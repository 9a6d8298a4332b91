// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/window/clientarea.h"
#include "app/window/picturecontrol.h"

#include <QImage>

// The window as the renderer sees it for the length of one drawing: the
// picture's pixels and the window's background colour. The picture is bound at
// the first pixel write, which creates it or fails; until then nothing has
// touched it. Nothing else runs while the renderer draws, so nothing can look
// at the window before the drawing ends: a pixel costs a bounds check and a
// store, the background colour is handed to the window when the drawing ends
// or fails, and the picture is marked for repainting once, at the end.
class WindowSurface {
public:
    WindowSurface(PictureControl& picture, ClientArea& client)
        : m_picture(picture)
        , m_client(client)
        , m_colour(client.background())
    {}
    ~WindowSurface()
    {
        m_client.setBackground(m_colour);
        if (m_bound)
            m_picture.changed();
    }
    WindowSurface(const WindowSurface&) = delete;
    WindowSurface& operator=(const WindowSurface&) = delete;

    // A write outside the picture changes nothing. The first write throws
    // std::runtime_error when the picture cannot be created.
    void setPixel(int column, int row, render::Colour colour)
    {
        if (!m_bound) [[unlikely]] {
            m_pixels = bind(m_picture);
            m_bound = true;
        }
        write(m_pixels, column, row, colour);
    }
    void setColor(render::Colour colour) { m_colour = colour; }
    render::Colour color() const { return m_colour; }

private:
    // Sizes wider than a pixel, so that to the compiler a pixel write cannot
    // change them.
    struct Pixels {
        QRgb* bits = nullptr;
        qsizetype stride = 0;
        qsizetype width = 0;
        qsizetype height = 0;
    };

    // Changes nothing for a pixel outside `pixels`. Takes the bounds by value:
    // read once per write.
    static void write(Pixels pixels, int column, int row, render::Colour colour)
    {
        if (qsizetype{static_cast<unsigned>(row)} < pixels.height)
            if (qsizetype{static_cast<unsigned>(column)} < pixels.width)
                pixels.bits[row * pixels.stride + column] = colours::toRgb32(colour);
    }

    // Out of line, and given no pointer into the surface, so that the drawing
    // loop need not assume that a call may have changed the surface's fields.
    static Pixels bind(PictureControl& picture);

    PictureControl& m_picture;
    ClientArea& m_client;
    Pixels m_pixels;
    render::Colour m_colour;
    bool m_bound = false;
};
