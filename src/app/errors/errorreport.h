// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/errors/throwsite.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// How the program reports an exception caught at start-up: what can be told of
// it, the texts that tell it, and the error boxes that show them.
namespace errors {

// What a handler can tell of the exception it is handling, whatever its type.
struct CaughtException {
    QByteArray className; // as a reader would write it: "std::runtime_error", "int"
    QByteArray message;   // UTF-8
    throwsite::Site site;
};

// The exception being handled: call inside a catch handler.
CaughtException caughtException();

// The text for an exception that escaped the window's creation handler: the
// message, with "." appended when its last byte sorts after "." (a message
// ending in a Japanese character gets one too).
QString creationErrorText(const QByteArray& message);

// The text for an exception while the window was constructed: what was
// thrown, where, and its message as a sentence.
QString applicationErrorText(const QByteArray& className, const QByteArray& module, std::uintptr_t address,
                             const QByteArray& message);

// A message as a sentence: "." appended unless it is empty or ends in "." already.
QString sentence(const QByteArray& message);

// An address as the texts write it: upper-case hexadecimal, as many digits as a pointer has.
QString address(std::uintptr_t value);

// The boxes show the error icon, the text and a single OK button, until the
// user dismisses them.

// An exception escaped the window's creation handler. Captioned with the
// program title; start-up goes on once it is dismissed.
void showCreationError(const QString& programTitle, const CaughtException& caught);

// The window could not be constructed. Captioned "アプリケーション エラー",
// modal for the whole application; start-up ends once it is dismissed.
void showApplicationError(const CaughtException& caught);

} // namespace errors
