// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/window/windowfont.h"

#include <QStringList>

QFont windowFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Ume P Gothic"), QStringLiteral("BIZ UDPGothic"), QStringLiteral("VL PGothic"),
                      QStringLiteral("IPAPGothic")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}
