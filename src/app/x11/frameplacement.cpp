// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/x11/frameplacement.h"

#include "app/x11/x11.h"

#include <QWidget>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace {

// How long a window manager may take to answer, in all. Only waited for when
// it says it answers such questions at all.
constexpr auto answerTimeout = std::chrono::milliseconds(500);
constexpr auto pollInterval = std::chrono::microseconds(200);

} // namespace

void FramePlacement::ask(QWidget* window)
{
    m_window = window;
    xcb_connection_t* connection = x11::connection();
    if (!connection)
        return;
    const auto native = static_cast<xcb_window_t>(window->winId());

    const auto [supported, request, extents] =
        x11::atoms<3>(connection, {"_NET_SUPPORTED", "_NET_REQUEST_FRAME_EXTENTS", "_NET_FRAME_EXTENTS"});
    constexpr uint32_t manyAtoms = 1024;
    const std::vector<uint32_t> features =
        x11::valuesProperty(connection, x11::rootWindow(connection), supported, XCB_ATOM_ATOM, manyAtoms);
    if (std::find(features.begin(), features.end(), request) == features.end())
        return;

    x11::sendToRoot(connection, native, request);
    m_extentsAtom = extents;
}

QMargins FramePlacement::answer()
{
    if (m_extentsAtom == 0)
        return {};
    xcb_connection_t* connection = x11::connection();
    const auto native = static_cast<xcb_window_t>(m_window->winId());
    const auto giveUp = std::chrono::steady_clock::now() + answerTimeout;
    do {
        const std::vector<uint32_t> ltrb = x11::valuesProperty(connection, native, m_extentsAtom, XCB_ATOM_CARDINAL, 4);
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
