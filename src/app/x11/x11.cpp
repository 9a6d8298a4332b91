// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/x11/x11.h"
#include "app/x11/propertyvalue.h"
#include "app/x11/xcbreply.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace x11 {

namespace {

xcb_intern_atom_cookie_t askForAtom(xcb_connection_t* connection, const char* name)
{
    return xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name);
}

xcb_atom_t atomOf(xcb_connection_t* connection, xcb_intern_atom_cookie_t cookie)
{
    const ReplyPointer<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookie, nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

ReplyPointer<xcb_get_property_reply_t> property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                                xcb_atom_t type, uint32_t maxValues)
{
    const auto cookie = xcb_get_property(connection, 0, window, name, type, 0, maxValues);
    return ReplyPointer<xcb_get_property_reply_t>(xcb_get_property_reply(connection, cookie, nullptr));
}

} // namespace

xcb_connection_t* connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t* connection)
{
    // Qt is given no display of its own: it connects to DISPLAY's screen.
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen))
        std::free(host);
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; screen > 0 && screens.rem > 1; --screen)
        xcb_screen_next(&screens);
    return screens.data->root;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    return atomOf(connection, askForAtom(connection, name));
}

void atoms(xcb_connection_t* connection, std::span<const char* const> names, std::span<xcb_atom_t> result)
{
    std::vector<xcb_intern_atom_cookie_t> cookies;
    cookies.reserve(names.size());
    for (const char* name : names)
        cookies.push_back(askForAtom(connection, name));
    for (std::size_t i = 0; i < cookies.size() && i < result.size(); ++i)
        result[i] = atomOf(connection, cookies[i]);
}

QByteArray stringProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name)
{
    constexpr uint32_t longEnough = 4096; // in 32-bit units
    const auto reply = property(connection, window, name, XCB_ATOM_STRING, longEnough);
    return reply ? stringValue(*reply) : QByteArray();
}

std::vector<uint32_t> valuesProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                                     xcb_atom_t type, uint32_t maxValues)
{
    const auto reply = property(connection, window, name, type, maxValues);
    return reply ? values(*reply, type, maxValues) : std::vector<uint32_t>();
}

void setProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type,
                 const QByteArray& value)
{
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, name, type, 8, static_cast<uint32_t>(value.size()),
                        value.constData());
}

void sendToRoot(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t messageType)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = messageType;
    xcb_send_event(connection, 0, rootWindow(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
}

std::vector<uint32_t> reparentedFrame(xcb_connection_t* connection, xcb_window_t window)
{
    // The frame is the ancestor that is a child of the root.
    xcb_window_t frame = XCB_WINDOW_NONE;
    for (xcb_window_t child = window;;) {
        const ReplyPointer<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection, xcb_query_tree(connection, child), nullptr));
        if (!tree || tree->parent == XCB_WINDOW_NONE)
            return {};
        if (tree->parent == tree->root)
            break;
        frame = child = tree->parent;
    }
    if (frame == XCB_WINDOW_NONE)
        return {};
    // Asked together, so that the answers describe one moment.
    const auto inside = xcb_translate_coordinates(connection, window, frame, 0, 0);
    const auto windowSize = xcb_get_geometry(connection, window);
    const auto frameSize = xcb_get_geometry(connection, frame);
    const ReplyPointer<xcb_translate_coordinates_reply_t> offset(
        xcb_translate_coordinates_reply(connection, inside, nullptr));
    const ReplyPointer<xcb_get_geometry_reply_t> client(xcb_get_geometry_reply(connection, windowSize, nullptr));
    const ReplyPointer<xcb_get_geometry_reply_t> outer(xcb_get_geometry_reply(connection, frameSize, nullptr));
    if (!offset || !client || !outer)
        return {};
    const int border = outer->border_width;
    const int left = offset->dst_x + border;
    const int top = offset->dst_y + border;
    const int right = outer->width + 2 * border - left - client->width;
    const int bottom = outer->height + 2 * border - top - client->height;
    if (std::min({left, right, top, bottom}) < 0)
        return {};
    return {uint32_t(left), uint32_t(right), uint32_t(top), uint32_t(bottom)};
}

std::array<uint32_t, 2> size(xcb_connection_t* connection, xcb_window_t window)
{
    const ReplyPointer<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    return geometry ? std::array<uint32_t, 2>{geometry->width, geometry->height} : std::array<uint32_t, 2>{};
}

void resize(xcb_connection_t* connection, xcb_window_t window, uint32_t width, uint32_t height)
{
    const uint32_t size[] = {width, height};
    xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
    xcb_flush(connection);
}

} // namespace x11
