// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// Tells the end-to-end tests what the program will find on a display: the
// screen's logical resolution and, in the window's face at the pixel height
// that resolution gives, the height of a line of text. Prints "P T".
#include "app/window/windowfont.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication application(argc, argv);
    const int dotsPerInch = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
    // 15 pixels at 120 dots per inch, halves rounded up.
    const int pixelHeight = (dotsPerInch * 15 * 2 + 120) / (2 * 120);
    std::printf("%d %d\n", dotsPerInch, QFontMetrics(windowFont(pixelHeight)).height());
    return 0;
}
