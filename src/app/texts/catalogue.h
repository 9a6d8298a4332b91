// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/texts/terminal.h"

#include <QByteArray>
#include <QString>

// Every text the program shows or says. The window's are Japanese whatever
// the locale; the terminal's come in each language the terminal may speak
// (terminal.h chooses). A wording is changed, or a language added, here.
namespace texts {

// The window's texts.
namespace window {
extern const QString caption;                  // the window's caption
extern const QString closeCaption;             // the close button's, "&" before its mnemonic
extern const QString closeSpokenName;          // the button, to a screen reader
extern const QString closeSpokenDescription;   // what it does, to a screen reader
extern const QString pictureSpokenName;        // the picture, to a screen reader
extern const QString pictureSpokenDescription; // what it holds, to a screen reader
// The message when the picture's image cannot be made.
extern const char* const notEnoughResources;
// The caption of the box for a window that could not be constructed.
extern const QString applicationErrorCaption;
// Its text: %1 the exception's type, %2 the module, %3 the address, %4 the
// message as a sentence.
extern const QString applicationError;
// The type of an exception libstdc++ cannot name (from another language).
extern const QByteArray unknownException;
// The message of a thrown value that carries none: %1 its type.
extern const QString exceptionOfType;
} // namespace window

// The terminal's texts.

// --help: `showsJapanese` tells whether the terminal can show the button's
// Japanese caption where the help is English.
QString help(Language language, bool showsJapanese);
QString version();

// The one line on standard error on a fatal end, without its newline; the
// arguments each takes in its comment.
enum class Line {
    XConnectionLost,
    OutOfMemory,
    QtFatal,
    QtFatalSaying,            // %1 Qt's message
    ExceptionUncaught,        //
    ExceptionUncaughtSaying,  // %1 type, %2 module, %3 address, %4 message as a sentence
    NoAddressSpace,           // %1 MiB start-up needs
    NoDataSpace,              // %1 MiB start-up needs
    PlatformDidNotStart,      // %1 Qt's platform plugin
    DisplayNotSet,            //
    DisplayUnreachable,       // %1 DISPLAY
    ThreadNotStarted,         //
    ThreadNotStartedForLimit, // %1 the limit on processes and threads
    FileLimit,                // %1 the limit, %2 what start-up needs
    StackLimit,               // %1 the limit in KiB, %2 what start-up needs
    ScreenDepth,              // %1 the screen's bits a pixel
};
QString line(Line line, Language language);

} // namespace texts
