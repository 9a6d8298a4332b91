// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>

// The environment Qt and the libraries under it read as they start.
namespace qtenvironment {

// The name of Qt's X11 platform plugin.
inline constexpr char x11Platform[] = "xcb";

// Settings Qt reads from the environment when it starts: screen pixels are
// layout pixels, the X11 platform unless another is named, no session
// management, and no shared-memory images where the X server is not reached
// through its own local socket. Call before QApplication is constructed.
void setBeforeQtStarts();

// Whether the display named by DISPLAY (`display`) is reached through the X
// server's local socket, where file descriptors pass with requests and
// replies, as xcb reads the name: the protocol "unix/" whatever follows it,
// else no host part or the host "unix", or a socket's path.
bool throughLocalSocket(const QByteArray& display);

// Where there is no D-Bus session bus, keeps libdbus from starting one (it
// would leave a dbus-daemon behind); a screen reader's accessibility bus, which
// AT-SPI announces on the X root window, still reaches the program. Call once
// Qt has connected to the X server, before anything of Qt's uses D-Bus.
void avoidSessionBusAutolaunch();

} // namespace qtenvironment
