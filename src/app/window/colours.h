// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "render/colour.h"

#include <QColor>
#include <QPalette>
#include <QtEndian>

// The window's colour values: 0x00BBGGRR for a plain colour, or a system
// colour that the desktop's palette resolves.
namespace colours {

inline constexpr render::Colour clBtnFace = 0x8000000F;
inline constexpr render::Colour clWindowText = 0x80000008;

// A plain colour as a 32-bit image pixel (0xFFRRGGBB).
inline constexpr QRgb toRgb32(render::Colour colour)
{
    // 0x00BBGGRR byte-reversed is 0xRRGGBB00: one instruction per dot.
    return 0xFF000000u | (qbswap(quint32{colour}) >> 8);
}

QColor toQColor(render::Colour colour, const QPalette& palette);

} // namespace colours
