#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// Puts a top-level window, still hidden, where its outer frame (title bar and
// border included) will cover exactly `frame` once it is shown.
void placeFrame(QWidget* window, const QRect& frame);

// The frame the window manager will put around `window`, asked for before the
// window is first mapped; empty where there is no window manager or it cannot
// tell in advance.
QMargins expectedFrameMargins(QWidget* window);
