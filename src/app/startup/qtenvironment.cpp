// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/qtenvironment.h"

#include "app/x11/x11.h"

#include <QByteArray>
#include <QtGlobal>

#include <sys/stat.h>

namespace qtenvironment {

void setBeforeQtStarts()
{
    // Layout pixels are screen pixels: the window's size and its picture must
    // not be scaled by Qt's own high-DPI handling.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    qunsetenv("QT_USE_PHYSICAL_DPI");

    // The window is placed exactly where the layout puts it, which only X11
    // allows: a Wayland session's variables must not lead Qt away from the X
    // display beside it. A platform named outright is used.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", x11Platform);

    // The program saves nothing and restores nothing. A session manager that
    // does not answer would otherwise keep Qt from starting, and a dead one
    // would slow it.
    qunsetenv("SESSION_MANAGER");

    // Qt's shared-memory images need file descriptors passed with the X
    // server's replies; over TCP, or a relay that passes bytes only, the
    // reply never comes whole and the window is never painted.
    if (!throughLocalSocket(qgetenv("DISPLAY")))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

bool throughLocalSocket(const QByteArray& display)
{
    if (display.startsWith('/'))
        return true; // a socket's path, as xcb allows
    // xcb's "[protocol/][host]:number[.screen]", the protocol up to the last
    // "/" and the host up to the last ":".
    const qsizetype slash = display.lastIndexOf('/');
    const QByteArray address = display.mid(slash + 1);
    const qsizetype colon = address.lastIndexOf(':');
    if (colon < 0)
        return true; // no display at all: nothing to reach
    if (slash >= 0)
        return display.left(slash) == "unix";
    const QByteArray host = address.left(colon);
    return host.isEmpty() || host == "unix";
}

void avoidSessionBusAutolaunch()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    // libdbus's own next place to look, before it starts a bus of its own.
    const QByteArray runtimeDirectory = qgetenv("XDG_RUNTIME_DIR");
    struct stat bus {};
    if (!runtimeDirectory.isEmpty() && ::stat((runtimeDirectory + "/bus").constData(), &bus) == 0
        && S_ISSOCK(bus.st_mode))
        return;

    xcb_connection_t* connection = x11::connection();
    if (connection && qEnvironmentVariableIsEmpty("AT_SPI_BUS_ADDRESS")) {
        const QByteArray accessibilityBus =
            x11::stringProperty(connection, x11::rootWindow(connection), x11::atom(connection, "AT_SPI_BUS"));
        if (!accessibilityBus.isEmpty())
            qputenv("AT_SPI_BUS_ADDRESS", accessibilityBus);
    }
    // An address of no known kind: libdbus fails at once, starting nothing.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

} // namespace qtenvironment
