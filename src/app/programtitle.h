#pragma once

#include <QByteArray>
#include <QString>

// The program's title, from the file name of its executable.
QString programTitle(const QByteArray& executablePath);
