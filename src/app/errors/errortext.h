// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// The texts of the error boxes, from a UTF-8 message.
namespace errortext {

// An exception that escaped the window's creation handler: the message, with
// "." appended when its last byte sorts after "." (a message ending in a
// Japanese character gets one too).
QString creationError(const QByteArray& message);

// An exception while the window was constructed: what was thrown, where, and
// its message, with "." appended unless it is empty or ends in "." already.
QString applicationError(const QByteArray& className, const QByteArray& module, std::uintptr_t address,
                         const QByteArray& message);

// A message as a sentence: "." appended unless it is empty or ends in "." already.
QString sentence(const QByteArray& message);

// An address as the texts write it: upper-case hexadecimal, as many digits as a pointer has.
QString address(std::uintptr_t value);

} // namespace errortext
