// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "xquery.h"

#include "app/x11/xcbreply.h"

#include <cstdlib>
#include <memory>

namespace xquery {

namespace {

using x11::ReplyPointer;

// The reply, or nothing when the server answered with an error, which is
// dropped here rather than left for the event queue.
template <class Reply, class Cookie>
ReplyPointer<Reply> answer(Reply* (*reply)(xcb_connection_t*, Cookie, xcb_generic_error_t**),
                           xcb_connection_t* connection, Cookie cookie)
{
    xcb_generic_error_t* error = nullptr;
    ReplyPointer<Reply> result(reply(connection, cookie, &error));
    std::free(error);
    return result;
}

constexpr std::uint32_t wholeProperty = 1u << 24; // in 32-bit units, more than any property here holds

} // namespace

Connection::Connection(const char* display)
{
    int screen = 0;
    m_connection = xcb_connect(display, &screen);
    if (xcb_connection_has_error(m_connection))
        return;
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(m_connection));
    for (int skipped = 0; skipped < screen && screens.rem > 1; ++skipped)
        xcb_screen_next(&screens);
    m_root = screens.data->root;
}

Connection::~Connection()
{
    xcb_disconnect(m_connection);
}

bool Connection::broken() const
{
    return xcb_connection_has_error(m_connection) != 0;
}

int Connection::fileDescriptor() const
{
    return xcb_get_file_descriptor(m_connection);
}

xcb_atom_t Connection::atom(std::string_view name)
{
    if (const auto known = m_atoms.find(name); known != m_atoms.end())
        return known->second;
    const auto reply = answer(xcb_intern_atom_reply, m_connection,
                              xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(name.size()), name.data()));
    if (!reply)
        return XCB_ATOM_NONE;
    m_atoms.emplace(name, reply->atom);
    return reply->atom;
}

std::string Connection::atomName(xcb_atom_t atom)
{
    const auto reply = answer(xcb_get_atom_name_reply, m_connection, xcb_get_atom_name(m_connection, atom));
    if (!reply)
        return {};
    return std::string(xcb_get_atom_name_name(reply.get()), std::size_t(xcb_get_atom_name_name_length(reply.get())));
}

std::optional<Property> Connection::property(xcb_window_t window, std::string_view name)
{
    const auto reply =
        answer(xcb_get_property_reply, m_connection,
               xcb_get_property(m_connection, 0, window, atom(name), XCB_GET_PROPERTY_TYPE_ANY, 0, wholeProperty));
    if (!reply || reply->type == XCB_ATOM_NONE)
        return std::nullopt;
    Property read;
    read.type = atomName(reply->type);
    read.format = reply->format;
    const auto* value = static_cast<const char*>(xcb_get_property_value(reply.get()));
    const auto length = std::size_t(xcb_get_property_value_length(reply.get()));
    if (read.format == 8)
        read.bytes.assign(value, length);
    if (read.format == 32) {
        const auto* values = reinterpret_cast<const std::uint32_t*>(value);
        read.values.assign(values, values + length / sizeof(std::uint32_t));
    }
    return read;
}

void Connection::setProperty(xcb_window_t window, std::string_view name, std::string_view type, std::string_view bytes)
{
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, atom(name), atom(type), 8,
                        static_cast<std::uint32_t>(bytes.size()), bytes.data());
    roundTrip();
}

std::optional<Geometry> Connection::geometry(xcb_window_t window)
{
    const auto attributes = xcb_get_window_attributes(m_connection, window);
    const auto size = answer(xcb_get_geometry_reply, m_connection, xcb_get_geometry(m_connection, window));
    if (!size)
        return std::nullopt;
    const auto border = static_cast<std::int16_t>(-size->border_width);
    const auto place = answer(xcb_translate_coordinates_reply, m_connection,
                              xcb_translate_coordinates(m_connection, window, m_root, border, border));
    const auto state = answer(xcb_get_window_attributes_reply, m_connection, attributes);
    if (!place || !state)
        return std::nullopt;
    return Geometry{place->dst_x, place->dst_y, size->width, size->height, state->map_state == XCB_MAP_STATE_VIEWABLE};
}

std::optional<Geometry> Connection::outerGeometry(xcb_window_t window)
{
    for (;;) {
        const auto tree = answer(xcb_query_tree_reply, m_connection, xcb_query_tree(m_connection, window));
        if (!tree)
            return std::nullopt;
        if (tree->parent == m_root || tree->parent == XCB_WINDOW_NONE)
            break;
        window = tree->parent;
    }
    const auto attributes = xcb_get_window_attributes(m_connection, window);
    const auto size = answer(xcb_get_geometry_reply, m_connection, xcb_get_geometry(m_connection, window));
    const auto state = answer(xcb_get_window_attributes_reply, m_connection, attributes);
    if (!size || !state)
        return std::nullopt;
    const int border = size->border_width;
    return Geometry{size->x, size->y, size->width + 2 * border, size->height + 2 * border,
                    state->map_state == XCB_MAP_STATE_VIEWABLE};
}

std::vector<xcb_window_t> Connection::allWindows()
{
    std::vector<xcb_window_t> found;
    std::vector<xcb_window_t> level{m_root};
    while (!level.empty()) {
        // A level's questions go out together: one round trip a level.
        std::vector<xcb_query_tree_cookie_t> cookies;
        for (const xcb_window_t window : level)
            cookies.push_back(xcb_query_tree(m_connection, window));
        level.clear();
        for (const xcb_query_tree_cookie_t cookie : cookies) {
            const auto tree = answer(xcb_query_tree_reply, m_connection, cookie);
            if (!tree)
                continue; // gone meanwhile
            const xcb_window_t* children = xcb_query_tree_children(tree.get());
            level.insert(level.end(), children, children + xcb_query_tree_children_length(tree.get()));
        }
        found.insert(found.end(), level.begin(), level.end());
    }
    return found;
}

bool Connection::named(xcb_window_t window, std::string_view name)
{
    for (const std::string_view property : {"_NET_WM_NAME", "WM_NAME"}) {
        const std::optional<Property> read = this->property(window, property);
        if (read && read->format == 8 && read->bytes == name)
            return true;
    }
    return false;
}

bool Connection::selectEvents(xcb_window_t window, std::uint32_t mask)
{
    const ReplyPointer<xcb_generic_error_t> error(xcb_request_check(
        m_connection, xcb_change_window_attributes_checked(m_connection, window, XCB_CW_EVENT_MASK, &mask)));
    return !error;
}

xcb_client_message_event_t Connection::clientMessage(xcb_window_t window, std::string_view type, std::uint8_t format)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = format;
    message.window = window;
    message.type = atom(type);
    return message;
}

void Connection::send(xcb_window_t destination, std::uint32_t eventMask, const xcb_client_message_event_t& message)
{
    xcb_send_event(m_connection, 0, destination, eventMask, reinterpret_cast<const char*>(&message));
    xcb_flush(m_connection);
}

void Connection::sendDeleteWindow(xcb_window_t window)
{
    xcb_client_message_event_t message = clientMessage(window, "WM_PROTOCOLS", 32);
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    send(window, XCB_EVENT_MASK_NO_EVENT, message);
}

void Connection::roundTrip()
{
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
}

} // namespace xquery
