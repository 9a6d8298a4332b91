// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/window/windowsurface.h"

WindowSurface::Pixels WindowSurface::bind(PictureControl& picture)
{
    QImage& image = picture.canvas();
    if (image.isNull())
        return {}; // an empty control: every write falls outside
    return {reinterpret_cast<QRgb*>(image.bits()), image.bytesPerLine() / qsizetype(sizeof(QRgb)), image.width(),
            image.height()};
}
