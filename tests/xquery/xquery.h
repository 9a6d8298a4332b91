// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What the end-to-end tests and the start-up probe ask an X server, asked
// directly: atoms, windows' properties and geometry, and the client messages
// they send. Plain C++ on xcb, so that the probe loads no Qt.
namespace xquery {

// A window's property as the server holds it.
struct Property {
    std::string type;                  // the type's atom name: STRING, UTF8_STRING, CARDINAL...
    int format = 0;                    // 8, 16 or 32
    std::string bytes;                 // format 8
    std::vector<std::uint32_t> values; // format 32 (atoms, windows, numbers)
};

// Where a window is, as xwininfo reports it: its top-left corner inside its
// border on the root window, and its size.
struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool viewable = false; // mapped, and every ancestor too
};

class Connection {
public:
    // To `display` as DISPLAY names one; null: DISPLAY's own. See broken().
    explicit Connection(const char* display = nullptr);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The connection failed or was lost.
    bool broken() const;
    xcb_connection_t* get() const { return m_connection; }
    xcb_window_t root() const { return m_root; }
    int fileDescriptor() const;

    // Interned on first use, then remembered; XCB_ATOM_NONE when the server
    // does not answer.
    xcb_atom_t atom(std::string_view name);
    std::string atomName(xcb_atom_t atom);

    // Nothing when the window has no such property, or is gone.
    std::optional<Property> property(xcb_window_t window, std::string_view name);
    // Replaces an 8-bit property.
    void setProperty(xcb_window_t window, std::string_view name, std::string_view type, std::string_view bytes);

    // Nothing when the window is gone.
    std::optional<Geometry> geometry(xcb_window_t window);
    // The outermost window that holds `window`, the frame of a window manager
    // that reparents: its size with the border, and its place on the root.
    std::optional<Geometry> outerGeometry(xcb_window_t window);

    // Every window below the root, at any depth.
    std::vector<xcb_window_t> allWindows();
    // WM_NAME or _NET_WM_NAME is `name`, byte for byte.
    bool named(xcb_window_t window, std::string_view name);

    // Returns once the server has applied it: nothing that happens after is
    // missed. False when the window is gone.
    bool selectEvents(xcb_window_t window, std::uint32_t mask);
    // A client message about `window` of type `type`, its data left zero.
    xcb_client_message_event_t clientMessage(xcb_window_t window, std::string_view type, std::uint8_t format);
    void send(xcb_window_t destination, std::uint32_t eventMask, const xcb_client_message_event_t& message);
    // WM_DELETE_WINDOW, as a window manager asks a window to close.
    void sendDeleteWindow(xcb_window_t window);

    // Returns once the server has handled every request sent before, and its
    // events for them have arrived.
    void roundTrip();

private:
    xcb_connection_t* m_connection = nullptr;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    std::map<std::string, xcb_atom_t, std::less<>> m_atoms;
};

} // namespace xquery
