// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/errors/errorreport.h"
#include "app/startup/terminaltext.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

// The one line the program says on standard error when it cannot go on, and
// what it reads in Qt's messages to tell which line that is.
namespace lastwords {

enum class Cause {
    XConnectionLost,   // the X server went away, or closed the connection
    MemoryExhausted,   // an allocation, a thread or the X connection ran out of memory
    QtFatal,           // Qt's own fatal error, after start-up
    UncaughtException, // an exception that no handler caught
};

// What Qt's message means for the program: nothing (most messages, which the
// program does not log), or the cause that ends it. Qt goes on after a warning
// or a critical message on its own; the program ends on the ones named here
// because Qt would otherwise end it silently or wait for ever.
std::optional<Cause> causeOf(QtMsgType type, const QString& message);

// The line for a cause, newline included, in UTF-8, in the locale's language
// unless told. For QtFatal, `detail` is Qt's message; for UncaughtException,
// use uncaught() instead.
QByteArray line(Cause cause, const QString& detail = {}, terminaltext::Language language = terminaltext::language());

// The line for an exception that nothing caught: what was thrown, where, and
// its message, as the box for a failed construction words them.
QByteArray uncaught(const errors::CaughtException& caught, terminaltext::Language language = terminaltext::language());

// The line when the program cannot start for lack of address space: how many
// mebibytes of it start-up needs free.
QByteArray notEnoughAddressSpace(unsigned long long neededMebibytes,
                                 terminaltext::Language language = terminaltext::language());

// The lines when Qt cannot start: its platform plugin `platform` failed, or,
// for X11, the display named by `display` (empty where DISPLAY is not set)
// could not be reached.
QByteArray platformDidNotStart(const QString& platform, terminaltext::Language language = terminaltext::language());
QByteArray noDisplay(const QString& display, terminaltext::Language language = terminaltext::language());

// The line when the window was not shown within `seconds` of the start.
QByteArray tooSlowToShow(unsigned seconds, terminaltext::Language language = terminaltext::language());

} // namespace lastwords
