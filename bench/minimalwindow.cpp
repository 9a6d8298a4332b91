// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// The least a Qt Widgets program needs to put up a window laid out like
// stereogram's: the baseline that bench/startup.sh compares its start-up with.
// The picture is plain white; nothing is drawn into it.
//
//   minimal-window [--measure-text]
//
// Plain, it first needs its font when it paints, after the window is mapped.
// With --measure-text it measures the height of its text before it shows the
// window, and scales the button by it, as stereogram's layout rules require:
// that is when fontconfig starts.

#include "app/window/layoutscaling.h"
#include "app/window/windowfont.h"
#include "stagemark.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QWidget>

namespace {

class ImageView : public QWidget {
public:
    ImageView(const QImage& image, QWidget* parent)
        : QWidget(parent)
        , m_image(image)
    {}

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter(this).drawImage(event->rect().topLeft(), m_image, event->rect());
    }

private:
    QImage m_image;
};

} // namespace

int main(int argc, char* argv[])
{
    stageMark("main");
    const bool measureText = argc > 1 && qstrcmp(argv[1], "--measure-text") == 0;
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    stageMark("qt_started");

    QWidget window;
    window.setWindowTitle(QStringLiteral("Form1"));
    window.setFont(windowFont(15));
    // move() places the outer frame, resize() the client area: openbox's stock
    // theme adds 1 pixel left and right, 20 above and 5 below, so the frame is
    // 873x735 at 192,120.
    window.move(192, 120);
    window.resize(871, 710);

    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::white);
    auto* view = new ImageView(image, &window);
    view->setGeometry(30, 80, 800, 600);

    auto* button = new QPushButton(QStringLiteral("閉じる(&C)"), &window);
    QRect buttonBounds(136, 16, 97, 41);
    if (measureText)
        buttonBounds = layoutscaling::scaledBounds(buttonBounds, QFontMetrics(window.font()).height());
    button->setGeometry(buttonBounds);
    QObject::connect(button, &QPushButton::clicked, &window, &QWidget::close);

    stageMark("window_ready");
    window.show();
    return app.exec();
}
