// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

// Start-up stages for bench/startup.sh. Under startup-probe, which sets
// STARTUP_PROBE_LAUNCHED_NS, stageMark() writes "stage=NAME ms=T" to standard
// error, T being the milliseconds since the launch; elsewhere it does nothing.

#include <chrono>
#include <cstdio>
#include <cstdlib>

inline void stageMark(const char* name)
{
    static const char* const launched = std::getenv("STARTUP_PROBE_LAUNCHED_NS");
    if (!launched)
        return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto since = now - std::chrono::nanoseconds(std::strtoll(launched, nullptr, 10));
    std::fprintf(stderr, "stage=%s ms=%.3f\n", name, std::chrono::duration<double, std::milli>(since).count());
}
