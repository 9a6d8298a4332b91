// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/errors/errorreport.h"
#include "app/texts/terminal.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstddef>
#include <optional>

// The one line the program says on standard error when it cannot go on, and
// what it reads in Qt's messages to tell which line that is.
namespace fatalline {

enum class Cause {
    XConnectionLost,   // the X server went away, or closed the connection
    MemoryExhausted,   // an allocation or the X connection ran out of memory
    ThreadNotStarted,  // Qt could not start one of its threads
    QtFatal,           // Qt's own fatal error, after start-up
    UncaughtException, // an exception that no handler caught
};

// What Qt's message means for the program: nothing (most messages, which the
// program does not log), or the cause that ends it. Qt goes on after a warning
// or a critical message on its own; the program ends on the ones named here
// because Qt would otherwise end it silently or wait for ever.
std::optional<Cause> causeOf(QtMsgType type, const QString& message);

// Each line comes with its newline, in the terminal's language and codeset
// unless told.

// The line for a cause. For QtFatal, `detail` is Qt's message; for
// UncaughtException, use uncaught() instead; for ThreadNotStarted,
// threadNotStarted().
QByteArray line(Cause cause, const QString& detail = {}, const texts::Terminal& terminal = texts::terminal());

// The line for an exception that nothing caught: what was thrown, where, and
// its message, as the box for a failed construction words them.
QByteArray uncaught(const errors::CaughtException& caught, const texts::Terminal& terminal = texts::terminal());

// The lines when the program cannot start for lack of memory: how many
// mebibytes start-up needs free under the address-space limit, or under the
// data limit.
QByteArray notEnoughAddressSpace(unsigned long long neededMebibytes,
                                 const texts::Terminal& terminal = texts::terminal());
QByteArray notEnoughData(unsigned long long neededMebibytes, const texts::Terminal& terminal = texts::terminal());
// An amount of memory as those lines name it: whole mebibytes, rounded up,
// so that the amount named is always enough.
unsigned long long mebibytes(std::size_t bytes);

// The lines when Qt cannot start: its platform plugin `platform` failed, or,
// for X11, the display named by `display` (empty where DISPLAY is not set)
// could not be reached.
QByteArray platformDidNotStart(const QString& platform, const texts::Terminal& terminal = texts::terminal());
QByteArray noDisplay(const QString& display, const texts::Terminal& terminal = texts::terminal());

// The line when Qt could not start a thread: `processLimit` is the limit on
// the user's processes and threads where that was the cause, nothing where
// it was not.
QByteArray threadNotStarted(std::optional<unsigned long long> processLimit,
                            const texts::Terminal& terminal = texts::terminal());

// The lines when a resource limit is below what start-up needs, and cannot be
// raised: open files (counted), and the stack (in KiB).
QByteArray fileLimit(unsigned long long limit, unsigned long long needed,
                     const texts::Terminal& terminal = texts::terminal());
QByteArray stackLimit(unsigned long long limitKiB, unsigned long long neededKiB,
                      const texts::Terminal& terminal = texts::terminal());

// The line when the display's screen has a colour depth of `depth` bits, on
// which Qt cannot paint the picture.
QByteArray displayCannotShowPicture(unsigned depth, const texts::Terminal& terminal = texts::terminal());

} // namespace fatalline
