// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

// What stands between the program and an end without a word: checks made
// before Qt starts and before the window is made, and the one line said on
// every fatal end. Each fatal end writes one line to standard error and exits
// with status 1; none of them logs anything else. Nothing limits how long
// start-up takes: a start that is slow or paused (a stopped process, a stalled
// X server, a long link to it) ends with the window.
namespace startup {

// Installs the handlers for Qt's fatal messages and for exceptions that nothing
// catches, then checks that the resource limits and the address space
// start-up needs are there. Call first, before anything of Qt's.
void guardStart();

// Qt has started on X11: fatal ends from now on name what
// happened while running, not a failure to start.
void noteQtRunning();

// Ends the program with one line where the screen the program is shown on
// has too few bits a pixel for Qt to paint the picture in (an 8-bit
// pseudo-colour screen): the window would stay black. Call once Qt has
// started, before the window is made.
void checkScreen();

} // namespace startup
