// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

// What stands between the program and an end without a word: checks made
// before Qt starts, the one line said on every fatal end, and time limits on
// start-up and shut-down. Each fatal end writes one line to standard error
// and exits with status 1; none of them logs anything else.
namespace startup {

// Installs the handlers for Qt's fatal messages and for exceptions that nothing
// catches, then checks that the address space start-up needs is there. Call
// first, before anything of Qt's.
void guardStart();

// Qt has started on X11: fatal ends from now on name what
// happened while running, not a failure to start.
void qtStarted();

// The start-up limit: from guardStart() until the window is first shown,
// within which start-up either shows its window or ends with one line. It
// does not run while an error box waits for the user.
void windowShown();
class LimitPaused {
public:
    LimitPaused();
    ~LimitPaused();
    LimitPaused(const LimitPaused&) = delete;
    LimitPaused& operator=(const LimitPaused&) = delete;
};

// The window is gone: the process ends with `status` within a short limit,
// whatever Qt's threads are doing by then.
void boundShutDown(int status);

} // namespace startup
