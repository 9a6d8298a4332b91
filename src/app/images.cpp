// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "images.h"

namespace {
#include "images/bbclose.xpm"
#include "images/mainicon.xpm"
} // namespace

namespace images {

// Read straight from the arrays by Qt's built-in XPM reader: no image plugin
// is looked for.
QImage mainIcon()
{
    return QImage(mainicon_xpm);
}

QImage closeGlyph()
{
    return QImage(bbclose_xpm);
}

} // namespace images
