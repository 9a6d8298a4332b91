// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/window/images.h"

#include <QPixmap>

namespace {
#include "images/bbclose.xpm"
#include "images/mainicon.xpm"
#include "images/mainicon16.xpm"
} // namespace

namespace images {

// Read straight from the arrays by Qt's built-in XPM reader: no image plugin
// is looked for.
QImage mainIcon()
{
    return QImage(mainicon_xpm);
}

QImage smallIcon()
{
    return QImage(mainicon16_xpm);
}

QIcon windowIcon()
{
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(smallIcon()));
    icon.addPixmap(QPixmap::fromImage(mainIcon()));
    return icon;
}

QImage closeGlyph()
{
    return QImage(bbclose_xpm);
}

} // namespace images
