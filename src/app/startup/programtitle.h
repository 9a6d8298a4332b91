// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QString>

// The program's title: the executable's file name without its directory and
// without everything from its first ".", every ASCII letter after the first
// byte lowered. File names are bytes in the system's encoding (UTF-8); bytes
// that do not decode show as replacement characters.
QString programTitle(const QByteArray& executablePath);

// The path of the file this process runs, through any symbolic link to it;
// `argv0` where the system does not tell.
QByteArray executablePath(const QByteArray& argv0);
