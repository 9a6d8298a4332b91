// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/programtitle.h"

#include <QFile>

#include <climits>

#include <unistd.h>

namespace {

constexpr char directorySeparator = '/';
constexpr char extensionMark = '.';
// What Linux adds to the link's target once the file has been removed.
constexpr char deletedMark[] = " (deleted)";

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

QByteArray executablePath(const QByteArray& argv0)
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || std::size_t(length) == sizeof path)
        return argv0;
    QByteArray target(path, length);
    if (target.endsWith(deletedMark))
        target.chop(sizeof deletedMark - 1);
    return target;
}
