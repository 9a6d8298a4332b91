// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/x11/frameplacement.h"

#include <QGuiApplication>
#include <QWidget>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include <xcb/xcb.h>

namespace {

// How long a window manager may take to answer, in all. Only waited for when
// it says it answers such questions at all.
constexpr auto answerTimeout = std::chrono::milliseconds(500);
constexpr auto pollInterval = std::chrono::microseconds(200);

// Looks the names up in one round trip.
template <std::size_t N>
std::array<xcb_atom_t, N> atoms(xcb_connection_t* connection, const std::array<const char*, N>& names)
{
    std::array<xcb_intern_atom_cookie_t, N> cookies{};
    for (std::size_t i = 0; i < N; ++i)
        cookies[i] = xcb_intern_atom(connection, 0, static_cast<uint16_t>(strlen(names[i])), names[i]);
    std::array<xcb_atom_t, N> result{};
    for (std::size_t i = 0; i < N; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookies[i], nullptr);
        result[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        free(reply);
    }
    return result;
}

// The 32-bit values of a window's property, empty if it has none.
std::vector<uint32_t> property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type,
                               uint32_t maxValues)
{
    const auto cookie = xcb_get_property(connection, 0, window, name, type, 0, maxValues);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::vector<uint32_t> values;
    if (reply && reply->format == 32) {
        const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    free(reply);
    return values;
}

} // namespace

void FramePlacement::ask(QWidget* window)
{
    m_window = window;
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    const auto native = static_cast<xcb_window_t>(window->winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    const auto [supported, request, extents] =
        atoms<3>(connection, {"_NET_SUPPORTED", "_NET_REQUEST_FRAME_EXTENTS", "_NET_FRAME_EXTENTS"});
    constexpr uint32_t manyAtoms = 1024;
    const std::vector<uint32_t> features = property(connection, root, supported, XCB_ATOM_ATOM, manyAtoms);
    if (std::find(features.begin(), features.end(), request) == features.end())
        return;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = native;
    message.type = request;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    m_extentsAtom = extents;
}

QMargins FramePlacement::answer()
{
    if (m_extentsAtom == 0)
        return {};
    xcb_connection_t* connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const auto native = static_cast<xcb_window_t>(m_window->winId());
    const auto giveUp = std::chrono::steady_clock::now() + answerTimeout;
    do {
        const std::vector<uint32_t> ltrb = property(connection, native, m_extentsAtom, XCB_ATOM_CARDINAL, 4);
        if (ltrb.size() == 4)
            return QMargins(int(ltrb[0]), int(ltrb[2]), int(ltrb[1]), int(ltrb[3]));
        std::this_thread::sleep_for(pollInterval);
    } while (std::chrono::steady_clock::now() < giveUp);
    return {};
}

void FramePlacement::place(const QRect& frame)
{
    if (m_placed || !m_window)
        return;
    m_placed = true;
    m_window->setGeometry(frame - answer()); // the client area's rectangle
    m_extentsAtom = 0;
}
