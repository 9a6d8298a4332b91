// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/fatalline.h"

#include "app/errors/errorreport.h"
#include "app/texts/catalogue.h"

#include <QRegularExpression>

namespace fatalline {

namespace {

// Qt's xcb plugin warns with this, in one of two wordings, and then ends the
// program with status 1, when its connection to the X server has closed; the
// number is xcb's reason.
const QRegularExpression connectionBroke(QStringLiteral(R"(^The X11 connection broke.*\((?:code|error) (\d+)\))"));
// xcb's reason when the connection itself could not allocate memory
// (XCB_CONN_CLOSED_MEM_INSUFFICIENT).
constexpr int xcbOutOfMemory = 3;
// Qt says this, critical, when it cannot start a thread; it would then wait
// for that thread for ever.
const QString threadStartFailure = QStringLiteral("QThread::start");

// The line `which` with its arguments, in the terminal's language and
// codeset. The arguments are text, filled in together, so that one holding a
// "%2" stays as it is; an empty last one leaves no space behind.
template <class... Texts>
QByteArray say(texts::Line which, const texts::Terminal& terminal, const Texts&... arguments)
{
    QString text = texts::line(which, terminal.language);
    if constexpr (sizeof...(Texts) > 0)
        text = text.arg(arguments...);
    return texts::encode(text.trimmed(), terminal.codeset) + '\n';
}

} // namespace

std::optional<Cause> causeOf(QtMsgType type, const QString& message)
{
    switch (type) {
    case QtFatalMsg:
        return Cause::QtFatal;
    case QtCriticalMsg:
        if (message.startsWith(threadStartFailure))
            return Cause::ThreadNotStarted;
        break;
    case QtWarningMsg:
        if (const QRegularExpressionMatch match = connectionBroke.match(message); match.hasMatch())
            return match.captured(1).toInt() == xcbOutOfMemory ? Cause::MemoryExhausted : Cause::XConnectionLost;
        break;
    case QtDebugMsg:
    case QtInfoMsg:
        break;
    }
    return std::nullopt;
}

QByteArray line(Cause cause, const QString& detail, const texts::Terminal& terminal)
{
    switch (cause) {
    case Cause::XConnectionLost:
        return say(texts::Line::XConnectionLost, terminal);
    case Cause::MemoryExhausted:
        return say(texts::Line::OutOfMemory, terminal);
    case Cause::ThreadNotStarted:
        return threadNotStarted(std::nullopt, terminal);
    case Cause::QtFatal:
        if (detail.trimmed().isEmpty())
            return say(texts::Line::QtFatal, terminal);
        return say(texts::Line::QtFatalSaying, terminal, detail.simplified()); // one line, whatever Qt's holds
    case Cause::UncaughtException:
        break;
    }
    return say(texts::Line::ExceptionUncaught, terminal);
}

QByteArray uncaught(const errors::CaughtException& caught, const texts::Terminal& terminal)
{
    const std::string module = caught.site.known ? caught.site.module : throwsite::programModule();
    return say(texts::Line::ExceptionUncaughtSaying, terminal, QString::fromUtf8(caught.className),
               QString::fromStdString(module), errors::address(caught.site.offset),
               errors::sentence(caught.message).simplified());
}

unsigned long long mebibytes(std::size_t bytes)
{
    constexpr std::size_t mebibyte = std::size_t{1} << 20;
    return (bytes + mebibyte - 1) / mebibyte;
}

QByteArray notEnoughAddressSpace(unsigned long long neededMebibytes, const texts::Terminal& terminal)
{
    return say(texts::Line::NoAddressSpace, terminal, QString::number(neededMebibytes));
}

QByteArray notEnoughData(unsigned long long neededMebibytes, const texts::Terminal& terminal)
{
    return say(texts::Line::NoDataSpace, terminal, QString::number(neededMebibytes));
}

QByteArray platformDidNotStart(const QString& platform, const texts::Terminal& terminal)
{
    return say(texts::Line::PlatformDidNotStart, terminal, platform);
}

QByteArray noDisplay(const QString& display, const texts::Terminal& terminal)
{
    if (display.isEmpty())
        return say(texts::Line::DisplayNotSet, terminal);
    return say(texts::Line::DisplayUnreachable, terminal, display);
}

QByteArray threadNotStarted(std::optional<unsigned long long> processLimit, const texts::Terminal& terminal)
{
    if (!processLimit)
        return say(texts::Line::ThreadNotStarted, terminal);
    return say(texts::Line::ThreadNotStartedForLimit, terminal, QString::number(*processLimit));
}

QByteArray fileLimit(unsigned long long limit, unsigned long long needed, const texts::Terminal& terminal)
{
    return say(texts::Line::FileLimit, terminal, QString::number(limit), QString::number(needed));
}

QByteArray stackLimit(unsigned long long limitKiB, unsigned long long neededKiB, const texts::Terminal& terminal)
{
    return say(texts::Line::StackLimit, terminal, QString::number(limitKiB), QString::number(neededKiB));
}

QByteArray displayCannotShowPicture(unsigned depth, const texts::Terminal& terminal)
{
    return say(texts::Line::ScreenDepth, terminal, QString::number(depth));
}

} // namespace fatalline
