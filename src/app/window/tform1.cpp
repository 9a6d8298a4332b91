// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/window/tform1.h"

#include "app/texts/catalogue.h"
#include "app/window/layoutscaling.h"
#include "app/window/windowfont.h"
#include "render/renderer.h"

#include <QFontMetrics>
#include <QWindow>

TForm1* Form1 = nullptr;

namespace {
// The layout, in screen pixels. The frame's rectangle includes the title bar
// and border that the window manager adds.
constexpr QRect frame(192, 120, 873, 735);
constexpr QRect image1Bounds(30, 80, 800, 600);
constexpr QRect bitBtn1Bounds(136, 16, 97, 41);

} // namespace

TForm1::TForm1(QWidget* parent)
    : QScrollArea(parent)
{
    Form1 = this;

    setWindowTitle(texts::window::caption);
    setFont(windowFont(layoutscaling::designTextHeight));

    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    viewport()->setAutoFillBackground(false);

    m_client = new ClientArea(colours::clBtnFace);
    Image1 = new PictureControl(m_client);
    Image1->setGeometry(image1Bounds);
    BitBtn1 = new CloseButton(m_client);
    BitBtn1->setGeometry(bitBtn1Bounds);
    setWidget(m_client);
    m_client->setAutoFillBackground(false); // it paints its own background
    BitBtn1->setFocus();
    scaleLayout();

    m_placement.ask(this);
}

void TForm1::scaleLayout()
{
    const int pixelsPerInch = logicalDpiY();
    setFont(windowFont(layoutscaling::fontPixelHeight(pixelsPerInch)));
    const int textHeight = QFontMetrics(font()).height();
    for (QWidget* control : {static_cast<QWidget*>(Image1), static_cast<QWidget*>(BitBtn1)})
        control->setGeometry(layoutscaling::scaledBounds(control->geometry(), textHeight));
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::setVisible(bool visible)
{
    if (visible)
        m_placement.place(frame);
    QScrollArea::setVisible(visible);
}

void TForm1::showIconic()
{
    // Qt marks a window it maps as iconic, but when show() has to move the
    // native window first, it restores a minimised one and so maps it normal.
    // Placing moves the native window beforehand, so show() need not.
    m_placement.place(frame);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowState(Qt::WindowMinimized);
    show();
}

void TForm1::FormCreate(QObject* Sender)
{
    Q_UNUSED(Sender);
    // Top, left, height, width: four bounds changes of their own rather than one
    // setGeometry, so the picture control sees the same four steps as the
    // handler has always made. Wherever scaling put it, it ends at
    // (30, 80), 800 x 600.
    Image1->move(Image1->x(), image1Bounds.top());
    Image1->move(image1Bounds.left(), Image1->y());
    Image1->resize(Image1->width(), image1Bounds.height());
    Image1->resize(image1Bounds.width(), Image1->height());
    draw();
}

void TForm1::draw()
{
    WindowSurface window = surface();
    render::draw(window, m_clock);
}
