// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QFont>

// The window's face: a proportional Japanese gothic whose line of text is
// exactly as high as its pixel size, as the layout was designed for. Ume P
// Gothic first: its widths are those the layout was drawn around, so the
// close button's glyph and caption sit inside its focus rectangle. Then BIZ
// UDPGothic and VL PGothic, as high but wider; then IPA P Gothic, a pixel or
// two higher, by which the layout scales.
QFont windowFont(int pixelSize);
