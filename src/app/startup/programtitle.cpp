// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/programtitle.h"

#include <QFile>

namespace {

constexpr char directorySeparator = '/';
constexpr char extensionMark = '.';

} // namespace

QString programTitle(const QByteArray& executablePath)
{
    QByteArray name = executablePath.mid(executablePath.lastIndexOf(directorySeparator) + 1);
    const qsizetype extension = name.indexOf(extensionMark);
    if (extension >= 0)
        name.truncate(extension);
    // Qt 6 lowers ASCII letters only: a byte of a multi-byte character is
    // never touched.
    return QFile::decodeName(name.left(1) + name.mid(1).toLower());
}
