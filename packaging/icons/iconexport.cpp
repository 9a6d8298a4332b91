// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// Writes one of the icon's pictures drawn pixel by pixel as a PNG for the
// hicolor theme, after checking that it is drawn for the size it is meant for.
// The PNG always carries an alpha channel, so its transparent ground stays so.

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace {

void fail(const QString& message)
{
    std::fprintf(stderr, "iconexport: %s\n", qPrintable(message));
    std::exit(EXIT_FAILURE);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4)
        fail(QStringLiteral("usage: iconexport PICTURE SIZE TARGET.png"));

    const QString source = QString::fromLocal8Bit(argv[1]);
    const QImage picture(source);
    if (picture.isNull())
        fail(QStringLiteral("cannot read %1").arg(source));

    bool isNumber = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&isNumber);
    if (!isNumber || picture.size() != QSize(size, size))
        fail(QStringLiteral("%1 is %2 x %3, not %4 x %4")
                 .arg(source)
                 .arg(picture.width())
                 .arg(picture.height())
                 .arg(QString::fromLocal8Bit(argv[2])));

    const QString target = QString::fromLocal8Bit(argv[3]);
    if (!QDir().mkpath(QFileInfo(target).path()))
        fail(QStringLiteral("cannot create the folder of %1").arg(target));
    if (!picture.convertToFormat(QImage::Format_ARGB32).save(target, "PNG"))
        fail(QStringLiteral("cannot write %1").arg(target));
    return EXIT_SUCCESS;
}
