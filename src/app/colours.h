#pragma once

#include "render/colour.h"

#include <QColor>
#include <QPalette>

// The window's colour values: 0x00BBGGRR for a plain colour, or a system
// colour that the desktop's palette resolves.
namespace colours {

inline constexpr render::Colour clBtnFace = 0x8000000F;
inline constexpr render::Colour clWindowText = 0x80000008;

// A plain colour as a 32-bit image pixel (0xFFRRGGBB).
inline constexpr QRgb toRgb32(render::Colour colour)
{
    return 0xFF000000u | ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
}

QColor toQColor(render::Colour colour, const QPalette& palette);

} // namespace colours
