// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/x11/frameplacement.h"

#include "app/x11/framemargins.h"
#include "app/x11/x11.h"

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <optional>
#include <vector>

FramePlacement::~FramePlacement()
{
    settle();
}

void FramePlacement::ask(QWidget* window)
{
    m_window = window;
    xcb_connection_t* connection = x11::connection();
    if (!connection)
        return;
    m_native = static_cast<xcb_window_t>(window->winId());
    // The size it is made with is the server's until the manager has passed
    // on the placement's first request.
    m_sizesGiven.push_back(window->windowHandle()->size());

    const auto [supported, request, extents] =
        x11::atoms<3>(connection, {"_NET_SUPPORTED", "_NET_REQUEST_FRAME_EXTENTS", "_NET_FRAME_EXTENTS"});
    m_extentsAtom = extents;
    constexpr uint32_t manyAtoms = 1024;
    const std::vector<uint32_t> features =
        x11::valuesProperty(connection, x11::rootWindow(connection), supported, XCB_ATOM_ATOM, manyAtoms);
    const auto offers = [&](xcb_atom_t feature) {
        return std::find(features.begin(), features.end(), feature) != features.end();
    };
    // A manager that tells its frame in _NET_FRAME_EXTENTS is believed there,
    // not in the windows it reparents into: its frame window may be larger
    // than the frame it draws.
    m_answer = offers(extents) || offers(request) ? Answer::Extents : Answer::Reparenting;
    if (offers(request))
        x11::sendToRoot(connection, m_native, request);
}

void FramePlacement::place(const QRect& frame)
{
    if (m_frame.isValid() || !m_window)
        return;
    m_frame = frame;

    const QMargins margins = m_answer == Answer::Extents ? toldExtents().value_or(QMargins()) : QMargins();
    const QRect client(frame.topLeft(), frame.size().shrunkBy(margins));
    m_sizesGiven.push_back(client.size());
    m_window->setGeometry(client);
    // The frame's corner where the client area's is asked for: north-west
    // gravity. The native window gets the same rectangle now, hidden as it is,
    // so that showing the window moves nothing, which would ask for the client
    // area's corner there instead.
    if (QWindow* native = m_window->windowHandle()) {
        native->setGeometry(client);
        native->setFramePosition(frame.topLeft());
    }

    if (m_answer != Answer::None) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_listening = true;
    }
}

bool FramePlacement::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result)
{
    Q_UNUSED(result);
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    constexpr std::uint8_t sentByAnotherClient = 0x80;
    switch (event->response_type & ~sentByAnotherClient) {
    case XCB_PROPERTY_NOTIFY: {
        const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
        if (m_answer != Answer::Extents || change->window != m_native || change->atom != m_extentsAtom
            || change->state != XCB_PROPERTY_NEW_VALUE)
            break;
        if (const auto margins = toldExtents())
            fit(*margins);
        break;
    }
    case XCB_REPARENT_NOTIFY: {
        const auto* move = static_cast<const xcb_reparent_notify_event_t*>(message);
        if (m_answer != Answer::Reparenting || move->window != m_native)
            break;
        if (const auto margins = x11::marginsWithin(m_frame, x11::reparentedFrame(x11::connection(), m_native)))
            fit(*margins);
        break;
    }
    default:
        break;
    }
    return false;
}

std::optional<QMargins> FramePlacement::toldExtents() const
{
    return x11::marginsWithin(m_frame,
                              x11::valuesProperty(x11::connection(), m_native, m_extentsAtom, XCB_ATOM_CARDINAL, 4));
}

void FramePlacement::fit(const QMargins& margins)
{
    // A maximised or full-screen window's size is the manager's; restored, it
    // gets back the size it was shown with.
    if (m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        settle();
        return;
    }
    // Any size given so far may be the server's still, the manager not having
    // got to the latest request yet; any other is someone else's.
    const auto [width, height] = x11::size(x11::connection(), m_native);
    const QSize now{int(width), int(height)};
    if (std::find(m_sizesGiven.begin(), m_sizesGiven.end(), now) == m_sizesGiven.end()) {
        settle();
        return;
    }
    const QSize client = m_frame.size().shrunkBy(margins);
    if (client == m_sizesGiven.back())
        return;
    m_sizesGiven.push_back(client);
    x11::resize(x11::connection(), m_native, std::uint32_t(client.width()), std::uint32_t(client.height()));
}

void FramePlacement::settle()
{
    if (!m_listening)
        return;
    m_listening = false;
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeNativeEventFilter(this);
}
