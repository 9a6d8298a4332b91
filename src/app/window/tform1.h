// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/window/clientarea.h"
#include "app/window/closebutton.h"
#include "app/window/picturecontrol.h"
#include "app/window/windowsurface.h"
#include "app/x11/frameplacement.h"
#include "render/randomsource.h"

#include <QScrollArea>

// The program's only window: the stereogram's picture and a close button on
// the window's background colour, scrolling when the window is made smaller
// than they are. The drawing's working values live in the renderer, not here.
class TForm1 : public QScrollArea {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Creation handler: gives the picture its final bounds and draws it once.
    void FormCreate(QObject* Sender);

    // Paints the stereogram into the picture, which comes into being at the
    // picture control's size on the first pixel write.
    void draw();

    // The picture and the background colour as the renderer writes them.
    WindowSurface surface() { return WindowSurface(*Image1, *m_client); }

    // The window's background colour.
    void setColor(render::Colour colour) { m_client->setBackground(colour); }
    render::Colour color() const { return m_client->background(); }

    // Shown for the first time, the window's frame goes where the layout puts it.
    void setVisible(bool visible) override;

    // Shows the window minimised and not activated from the start: the window
    // manager never shows its frame in the normal state.
    void showIconic();

    PictureControl* Image1 = nullptr;
    CloseButton* BitBtn1 = nullptr;

protected:
    // Where the drawing reads the time of day that seeds its random source.
    render::Clock m_clock = render::utcTimeOfDay;

private:
    // Fits the window's font to the screen's resolution and the controls to
    // the text height in that font.
    void scaleLayout();

    ClientArea* m_client = nullptr;
    FramePlacement m_placement;
};

// The one TForm1, from the moment it is allocated until it is destroyed.
extern TForm1* Form1;
