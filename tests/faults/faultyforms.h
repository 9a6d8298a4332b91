// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/window/tform1.h"

#include <stdexcept>

// Windows that fail at start-up in the ways the program must report, for the
// tests: each is what CreateForm<...>() builds in place of TForm1.
namespace faults {

// Thrown by a window that cannot be constructed.
struct LayoutError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A thrown value that is no std::exception.
struct Code {
    int value = 0;
};

inline const char* const clockMessage = "時刻を読み取れません";
inline const char* const layoutMessage = "レイアウトを読み込めません";
inline constexpr int codeValue = 7;

// Out of line, so that the throw sits in a function of its own name.
[[noreturn]] void failLayout();
[[noreturn]] void failWithCode();
// Raises an exception that was made, never thrown: no throw site is known.
[[noreturn]] void failWithMadeException();
render::TimeOfDay stoppedClock();
render::TimeOfDay clockThrowingCode();

// The drawing fails as it reads the clock: after the picture has been created
// white, before the first dot.
template <render::Clock clock>
class ClockFailureForm : public TForm1 {
public:
    ClockFailureForm() { m_clock = clock; }
};

// A picture that cannot be created, as when memory runs out.
class UnobtainablePicture : public PictureControl {
public:
    using PictureControl::PictureControl;

protected:
    QImage newPicture(QSize) const override { return QImage(); }
};

// The drawing fails at its first pixel: the picture cannot be created.
class PictureFailureForm : public TForm1 {
public:
    PictureFailureForm()
    {
        auto* picture = new UnobtainablePicture(Image1->parentWidget());
        picture->setGeometry(Image1->geometry());
        delete Image1;
        Image1 = picture;
    }
};

// The window cannot be constructed: the layout fails once the window exists.
template <void (*fail)()>
class ConstructionFailureForm : public TForm1 {
public:
    ConstructionFailureForm() { fail(); }
};

} // namespace faults
