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

FirstView firstView(const Program& program)
{
    WindowGeometry previousGeometry;
    QImage previousWindow;
    bool settled = false;
    const View view = waitForView(program, [&](const View& candidate) {
        QImage window = cut(candidate.screenshot, candidate.geometry.client.topLeft(),
                            QRect(QPoint(0, 0), candidate.geometry.client.size()));
        settled = candidate.geometry == previousGeometry && window == previousWindow
            && hasSeveralColours(cut(window, QPoint(0, 0), pictureBounds));
        previousGeometry = candidate.geometry;
        previousWindow = std::move(window);
        return settled;
    }, 10s);
    if (!settled)
        throw Failure("the window did not settle with a picture in it");

    FirstView first;
    first.view = view;
    first.picture = cut(view.screenshot, view.geometry.client.topLeft(), pictureBounds);
    first.background = view.screenshot.pixel(view.geometry.client.topLeft()) | 0xFF000000u;
    return first;
}

void Running::SetUp()
{
    display = std::make_unique<Display>();
    program = std::make_unique<Program>(*display);
    start = firstView(*program);
}

void Running::TearDown()
{
    program.reset();
    display.reset();
}

} // namespace e2e
