#include "programtitle.h"

QString programTitle(const QByteArray& executablePath)
{
    QByteArray name = executablePath.mid(executablePath.lastIndexOf('/') + 1);
    const qsizetype dot = name.indexOf('.');
    if (dot >= 0)
        name.truncate(dot);
    return QString::fromLocal8Bit(name);
}
