#include "framegeometry.h"

#include <QGuiApplication>
#include <QWidget>

#include <algorithm>
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
constexpr auto pollInterval = std::chrono::milliseconds(1);

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return result;
}

// The 32-bit values of a window's property, empty if it has none.
std::vector<uint32_t> property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                               xcb_atom_t type, uint32_t maxValues)
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

QMargins expectedFrameMargins(QWidget* window)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return {};
    xcb_connection_t* connection = x11->connection();
    const auto native = static_cast<xcb_window_t>(window->winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;

    const xcb_atom_t supported = atom(connection, "_NET_SUPPORTED");
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    constexpr uint32_t manyAtoms = 1024;
    const std::vector<uint32_t> features = property(connection, root, supported, XCB_ATOM_ATOM, manyAtoms);
    if (std::find(features.begin(), features.end(), request) == features.end())
        return {};

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = native;
    message.type = request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    const auto giveUp = std::chrono::steady_clock::now() + answerTimeout;
    do {
        const std::vector<uint32_t> ltrb = property(connection, native, extents, XCB_ATOM_CARDINAL, 4);
        if (ltrb.size() == 4)
            return QMargins(int(ltrb[0]), int(ltrb[2]), int(ltrb[1]), int(ltrb[3]));
        std::this_thread::sleep_for(pollInterval);
    } while (std::chrono::steady_clock::now() < giveUp);
    return {};
}

void placeFrame(QWidget* window, const QRect& frame)
{
    window->setGeometry(frame - expectedFrameMargins(window)); // the client area's rectangle
}
