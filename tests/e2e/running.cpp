// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "running.h"

#include "screenchecks.h"

namespace e2e {

namespace {

bool hasSeveralColours(const QImage& image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != first)
                return true;
        }
    }
    return false;
}

} // namespace

TextMetrics measureText(const Display& display)
{
    const QList<QByteArray> numbers = display.check(QStringLiteral(TEXT_HEIGHT_PROBE), {}).simplified().split(' ');
    TextMetrics metrics;
    bool read = numbers.size() == 2;
    if (read)
        metrics.dotsPerInch = numbers[0].toInt(&read);
    if (read)
        metrics.textHeight = numbers[1].toInt(&read);
    if (!read)
        throw Failure("the text height probe gave no answer");
    return metrics;
}

FirstView firstView(const Program& program)
{
    WindowGeometry previousGeometry;
    QImage previousWindow;
    bool settled = false;
    const View view = waitForView(
        program,
        [&](const View& candidate) {
            QImage window = cut(candidate.screenshot, candidate.geometry.client.topLeft(),
                                QRect(QPoint(0, 0), candidate.geometry.client.size()));
            settled = candidate.geometry == previousGeometry && window == previousWindow
                && hasSeveralColours(cut(window, QPoint(0, 0), pictureBounds));
            previousGeometry = candidate.geometry;
            previousWindow = std::move(window);
            return settled;
        },
        10s);
    if (!settled)
        throw Failure("the window did not settle with a picture in it");

    FirstView first;
    first.view = view;
    first.picture = cut(view.screenshot, view.geometry.client.topLeft(), pictureBounds);
    first.background = view.screenshot.pixel(view.geometry.client.topLeft()) | 0xFF000000u;
    first.button = scaledButton(measureText(program.display()).textHeight);
    return first;
}

void Running::SetUp()
{
    display = std::make_unique<Display>();
    // The resolution the layout is designed for: nothing is scaled, and the
    // button's glyph and caption sit inside its focus rectangle. (At 96 the
    // designed 77-pixel button puts the rectangle over the glyph's edge.)
    display->setXftDpi(designDotsPerInch);
    program = std::make_unique<Program>(*display);
    start = firstView(*program);
}

void Running::TearDown()
{
    program.reset();
    display.reset();
}

} // namespace e2e
