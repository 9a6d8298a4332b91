// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// Writes the program icon into a hicolor icon tree at its own size and at
// whole multiples of it, every pixel copied as a block so the icon stays crisp.

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int firstSizeArgument = 3;
const QString iconName = QStringLiteral("stereogram.png");

void fail(const QString& message)
{
    std::fprintf(stderr, "iconexport: %s\n", qPrintable(message));
    std::exit(EXIT_FAILURE);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc <= firstSizeArgument)
        fail(QStringLiteral("usage: iconexport ICON.xpm HICOLOR-DIR SIZE..."));

    const QString source = QString::fromLocal8Bit(argv[1]);
    const QImage icon(source);
    if (icon.isNull())
        fail(QStringLiteral("cannot read %1").arg(source));
    if (icon.width() != icon.height())
        fail(QStringLiteral("%1 is not square").arg(source));

    const QDir hicolor(QString::fromLocal8Bit(argv[2]));
    for (int i = firstSizeArgument; i < argc; ++i) {
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&isNumber);
        if (!isNumber || size <= 0 || size % icon.width() != 0)
            fail(QStringLiteral("%1 is not a whole multiple of the icon's %2 pixels")
                     .arg(QString::fromLocal8Bit(argv[i]))
                     .arg(icon.width()));

        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!hicolor.mkpath(folder))
            fail(QStringLiteral("cannot create %1").arg(hicolor.filePath(folder)));
        const QString target = hicolor.filePath(folder + QLatin1Char('/') + iconName);
        const QImage scaled = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!scaled.save(target, "PNG"))
            fail(QStringLiteral("cannot write %1").arg(target));
    }
    return EXIT_SUCCESS;
}
