// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

// The environment Qt and the libraries under it read as they start.
namespace qtenvironment {

// The name of Qt's X11 platform plugin.
inline constexpr char x11Platform[] = "xcb";

// Settings Qt reads from the environment when it starts: screen pixels are
// layout pixels, and the X11 platform unless another is named. Call before
// QApplication is constructed.
void prepare();

// Where there is no D-Bus session bus, keeps libdbus from starting one (it
// would leave a dbus-daemon behind); a screen reader's accessibility bus, which
// AT-SPI announces on the X root window, still reaches the program. Call once
// Qt has connected to the X server, before anything of Qt's uses D-Bus.
void avoidSessionBusAutolaunch();

} // namespace qtenvironment
