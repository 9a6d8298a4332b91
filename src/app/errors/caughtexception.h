// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/errors/throwsite.h"

#include <QByteArray>

// What a handler can tell of the exception it is handling, whatever its type.
struct CaughtException {
    QByteArray className; // as a reader would write it: "std::runtime_error", "int"
    QByteArray message;   // UTF-8
    throwsite::Site site;

    // The exception being handled: call inside a catch handler.
    static CaughtException current();
};
