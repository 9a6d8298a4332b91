// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QIcon>
#include <QImage>

// The program's images, compiled in: the program reads no file at run time.
namespace images {

// MAINICON: the program's icon, 32 × 32 in at most 16 colours on a
// transparent ground.
QImage mainIcon();

// The same emblem drawn again pixel by pixel for 16 × 16, where MAINICON
// scaled down would blur into a blob.
QImage smallIcon();

// The window's icon: both pictures, so that a panel or a menu that shows the
// icon at 16 pixels gets the one drawn for that size.
QIcon windowIcon();

// BBCLOSE: the close button's glyph, 36 × 18 in 16 colours: the button's look
// and, beside it, its greyed look.
QImage closeGlyph();

} // namespace images
