// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// DISPLAY: any value. Wherever xcb would reach the X server through its local
// socket, the program keeps shared-memory images; wherever xcb would reach it
// over TCP, it turns them off. Where xcb reaches nothing, either will do. The
// model is xcb's own reading of the name (libxcb 1.15: _xcb_parse_display,
// _xcb_open), written out again here.

#include "app/startup/qtenvironment.h"
#include "fuzzing.h"

#include <QByteArray>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

enum class Route { LocalSocket, Tcp, Nothing };

Route xcbRoute(const std::string& name)
{
    if (name.empty())
        return Route::Nothing; // xcb reads DISPLAY then, which this is
    if (name.front() == '/')
        return Route::LocalSocket;
    std::optional<std::string> protocol;
    std::string address = name;
    if (const auto slash = name.rfind('/'); slash != std::string::npos) {
        protocol = name.substr(0, slash);
        address = name.substr(slash + 1);
    }
    const auto colon = address.rfind(':');
    if (colon == std::string::npos)
        return Route::Nothing;
    const char* number = address.c_str() + colon + 1;
    char* end = nullptr;
    std::strtoul(number, &end, 10);
    if (end == number)
        return Route::Nothing;
    if (*end != '\0') {
        if (*end != '.')
            return Route::Nothing;
        const char* screen = end + 1;
        std::strtoul(screen, &end, 10);
        if (end == screen || *end != '\0')
            return Route::Nothing;
    }
    const std::string host = address.substr(0, colon);
    if (protocol == "unix")
        return Route::LocalSocket;
    if (host.empty() || host == "unix")
        return protocol ? Route::Nothing : Route::LocalSocket;
    if (!protocol || protocol == "tcp" || protocol == "inet" || protocol == "inet6")
        return Route::Tcp;
    return Route::Nothing;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // An environment variable ends at its first NUL.
    const std::string display = fuzzing::Input(data, size).field();
    const bool local = qtenvironment::throughLocalSocket(QByteArray::fromStdString(display));
    switch (xcbRoute(display)) {
    case Route::LocalSocket:
        fuzzing::require(local, "a display xcb reaches through the local socket keeps shared memory");
        break;
    case Route::Tcp:
        fuzzing::require(!local, "a display xcb reaches over TCP has no shared memory");
        break;
    case Route::Nothing:
        break;
    }
    return 0;
}
