// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include <xcb/xcb.h>

// The few X11 requests the program makes itself, on Qt's own connection to
// the X server.
namespace x11 {

// Qt's connection, or null when Qt runs on another platform.
xcb_connection_t* connection();

// The root window of the screen the program is shown on: the one DISPLAY
// names, to which Qt connects.
xcb_window_t rootWindow(xcb_connection_t* connection);

// The atom of that name, asked for in one round trip; XCB_ATOM_NONE when the
// server does not answer.
xcb_atom_t atom(xcb_connection_t* connection, const char* name);

// The atoms of all the names, asked for together in one round trip.
void atoms(xcb_connection_t* connection, std::span<const char* const> names, std::span<xcb_atom_t> result);
template <std::size_t N>
std::array<xcb_atom_t, N> atoms(xcb_connection_t* connection, const std::array<const char*, N>& names)
{
    std::array<xcb_atom_t, N> result{};
    atoms(connection, names, result);
    return result;
}

// A window's 8-bit property of type STRING, empty when it has none.
QByteArray stringProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name);

// At most `maxValues` values of a window's 32-bit property of that type,
// empty when it has none.
std::vector<std::uint32_t> valuesProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                          xcb_atom_t type, std::uint32_t maxValues);

// Replaces a window's 8-bit property.
void setProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type,
                 const QByteArray& value);

// The frame a reparenting window manager has put `window` into, as
// _NET_FRAME_EXTENTS gives one: left, right, top, bottom, the frame window's
// border included. Empty while `window` is a child of the root, or is gone.
std::vector<std::uint32_t> reparentedFrame(xcb_connection_t* connection, xcb_window_t window);

// A window's width and height as the X server has them now; zeros when it is gone.
std::array<std::uint32_t, 2> size(xcb_connection_t* connection, xcb_window_t window);

// Asks for a new size of a top-level window, leaving where it goes to the
// window manager and the window's gravity; flushes the request.
void resize(xcb_connection_t* connection, xcb_window_t window, std::uint32_t width, std::uint32_t height);

// Sends a client message about `window` to the root window, where the
// window manager listens for requests, and flushes it.
void sendToRoot(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t messageType);

} // namespace x11
