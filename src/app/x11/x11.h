// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>

#include <xcb/xcb.h>

// The few X11 requests the program makes itself, on Qt's own connection to
// the X server.
namespace x11 {

// Qt's connection, or null when Qt runs on another platform.
xcb_connection_t* connection();

// The root window of the connection's first screen.
xcb_window_t rootWindow(xcb_connection_t* connection);

// The atom of that name, asked for in one round trip; XCB_ATOM_NONE when the
// server does not answer.
xcb_atom_t atom(xcb_connection_t* connection, const char* name);

// A window's 8-bit property of type STRING, empty when it has none.
QByteArray stringProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name);

} // namespace x11
