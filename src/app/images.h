// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QImage>

// The program's two images, compiled in: the program reads no file at run time.
namespace images {

// MAINICON: the program's icon, 32 × 32 in 16 colours.
QImage mainIcon();

// BBCLOSE: the close button's glyph, 36 × 18 in 16 colours: the button's look
// and, beside it, its greyed look.
QImage closeGlyph();

} // namespace images
