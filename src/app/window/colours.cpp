// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/window/colours.h"

namespace colours {

QColor toQColor(render::Colour colour, const QPalette& palette)
{
    switch (colour) {
    case clBtnFace:
        return palette.color(QPalette::Button);
    case clWindowText:
        return palette.color(QPalette::WindowText);
    default:
        // Other system colours are never set; a plain colour keeps its low three bytes.
        return QColor::fromRgb(toRgb32(colour));
    }
}

} // namespace colours
