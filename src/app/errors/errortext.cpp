// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/errors/errortext.h"

namespace errortext {

namespace {
constexpr char period = '.';
constexpr int hexBase = 16;
constexpr int pointerDigits = int(sizeof(void*)) * 2;
} // namespace

QString creationError(const QByteArray& message)
{
    const bool appendPeriod = !message.isEmpty() && static_cast<unsigned char>(message.back()) > period;
    return QString::fromUtf8(appendPeriod ? message + period : message);
}

QString applicationError(const QByteArray& className, const QByteArray& module, std::uintptr_t address,
                         const QByteArray& message)
{
    return QStringLiteral("%1がモジュール %2 の %3 で発生しました。\n%4")
        .arg(QString::fromUtf8(className), QString::fromUtf8(module), errortext::address(address), sentence(message));
}

QString sentence(const QByteArray& message)
{
    const bool appendPeriod = !message.isEmpty() && !message.endsWith(period);
    return QString::fromUtf8(appendPeriod ? message + period : message);
}

QString address(std::uintptr_t value)
{
    return QStringLiteral("%1").arg(quint64{value}, pointerDigits, hexBase, QLatin1Char('0')).toUpper();
}

} // namespace errortext
