// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// Tells the end-to-end tests what the program will find on a display: the
// screen's logical resolution and, in the window's face at the pixel height
// that resolution gives, the height of a line of text. Prints "P T"; with
// --button-centre, prints "X Y" instead, the centre of the close button in
// the client area on that display, for scripts that click it.
#include "app/window/layoutscaling.h"
#include "app/window/windowfont.h"
#include "buttonplace.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const bool buttonCentre = argc == 2 && std::strcmp(argv[1], "--button-centre") == 0;
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication application(argc, argv);
    const int dotsPerInch = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
    const int textHeight = QFontMetrics(windowFont(layoutscaling::fontPixelHeight(dotsPerInch))).height();
    if (buttonCentre) {
        const QPoint centre = e2e::scaledButton(textHeight).center();
        std::printf("%d %d\n", centre.x(), centre.y());
    } else {
        std::printf("%d %d\n", dotsPerInch, textHeight);
    }
    return 0;
}
