// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/texts/terminal.h"

#include <QByteArray>

#include <cstddef>
#include <optional>

#include <sys/resource.h>

// The resource limits start-up needs: open files, the stack, and the
// processes and threads of the user. Below them, libraries under Qt crash
// (GLib on its wake-up pipe, Xlib and fontconfig on the stack) or wait for
// ever (a window that is never painted) instead of failing.
namespace resourcelimits {

// Descriptors start-up opens and keeps open at once, beyond those the program
// was started with: measured as at most 7 (the X connection, GLib's and Qt's
// wake-ups, D-Bus's and fontconfig's files), doubled for other desktops.
inline constexpr rlim_t startUpFiles = 14;
// The main thread's stack as start-up uses it: measured at under 96 KiB
// (fontconfig's XML parser, Xlib's locale code, Qt's xkb set-up), taken
// several times over for other fonts, locales and desktops. Qt's threads
// get the same.
inline constexpr rlim_t startUpStack = rlim_t{512} * 1024;

// Memory that start-up takes beyond what the process holds when main()
// begins, up to the window's first showing, the stacks of Qt's threads apart:
// measured as the smallest RLIMIT_AS under which the window appeared, less
// the process's size at entry and the thread stacks, and given a margin for
// other fonts, locales and libraries.
inline constexpr std::size_t startUpAddressSpace = std::size_t{32} << 20;
// The threads Qt starts before the window is shown: the xcb event reader and
// the D-Bus connection manager.
inline constexpr std::size_t qtThreads = 2;

// The stack a new thread gets.
std::size_t threadStack();
// Memory start-up takes from main() on: startUpAddressSpace and the stacks of
// Qt's threads.
std::size_t startUpMemory();
// Whether this process's soft limit on `resource` is finite.
bool isLimited(int resource);

// The soft limit a process sets itself where it has `soft` and may go up to
// `hard`, and needs `needed`: as far up as needed, and no further, where the
// hard limit allows.
rlim_t raisedSoftLimit(rlim_t soft, rlim_t hard, rlim_t needed);

// Raises this process's soft limits where they are below what start-up needs
// and the hard limits allow more: open files, the stack, the address space
// and the data segment; the process limit as far as the hard limit, since the
// processes it counts are all the user's. Call first in main(), before
// anything starts a thread.
void raiseWhereAllowed();

// The line for the first limit that stays below what start-up needs, or
// nothing when none does.
std::optional<QByteArray> shortfall();
// The same for soft limits on open files and the stack (in bytes) with
// `openFiles` descriptors open already: start-up needs startUpFiles more of
// them and a stack of startUpStack, and the line names the limit and that.
std::optional<QByteArray> shortfall(rlim_t fileLimit, rlim_t openFiles, rlim_t stackLimit,
                                    const texts::Terminal& terminal = texts::terminal());

// The limit on the user's processes and threads, where it applies to this
// process (not root) and is finite.
std::optional<rlim_t> processLimit();

} // namespace resourcelimits
