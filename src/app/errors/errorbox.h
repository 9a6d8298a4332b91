// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/errors/caughtexception.h"

#include <QString>

// The boxes that report an exception caught at start-up: the error icon, the
// text and a single OK button, shown until the user dismisses them.
class ErrorBox {
public:
    // An exception escaped the window's creation handler. Captioned with the
    // program title; start-up goes on once it is dismissed.
    static void showCreationError(const QString& programTitle, const CaughtException& caught);
    // The window could not be constructed. Captioned "アプリケーション エラー",
    // modal for the whole application; start-up ends once it is dismissed.
    static void showApplicationError(const CaughtException& caught);
};
