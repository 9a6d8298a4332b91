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

// One line, whatever the message holds.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.simplified();
}

QByteArray terminalLine(const QString& text, const texts::Terminal& terminal)
{
    return texts::encode(text, terminal.codeset) + '\n';
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
        return terminalLine(texts::line(texts::Line::XConnectionLost, terminal.language), terminal);
    case Cause::MemoryExhausted:
        return terminalLine(texts::line(texts::Line::OutOfMemory, terminal.language), terminal);
    case Cause::ThreadNotStarted:
        return threadNotStarted(std::nullopt, terminal);
    case Cause::QtFatal:
        if (detail.trimmed().isEmpty())
            return terminalLine(texts::line(texts::Line::QtFatal, terminal.language), terminal);
        return terminalLine(texts::line(texts::Line::QtFatalSaying, terminal.language).arg(oneLine(detail)), terminal);
    case Cause::UncaughtException:
        break;
    }
    return terminalLine(texts::line(texts::Line::ExceptionUncaught, terminal.language), terminal);
}

QByteArray uncaught(const errors::CaughtException& caught, const texts::Terminal& terminal)
{
    const std::string module = caught.site.known ? caught.site.module : throwsite::programModule();
    return terminalLine(texts::line(texts::Line::ExceptionUncaughtSaying, terminal.language)
                            .arg(QString::fromUtf8(caught.className), QString::fromStdString(module),
                                 errors::address(caught.site.offset), oneLine(errors::sentence(caught.message)))
                            .trimmed(),
                        terminal);
}

QByteArray notEnoughAddressSpace(unsigned long long neededMebibytes, const texts::Terminal& terminal)
{
    return terminalLine(texts::line(texts::Line::NoAddressSpace, terminal.language).arg(neededMebibytes), terminal);
}

QByteArray notEnoughData(unsigned long long neededMebibytes, const texts::Terminal& terminal)
{
    return terminalLine(texts::line(texts::Line::NoDataSpace, terminal.language).arg(neededMebibytes), terminal);
}

QByteArray platformDidNotStart(const QString& platform, const texts::Terminal& terminal)
{
    return terminalLine(texts::line(texts::Line::PlatformDidNotStart, terminal.language).arg(platform), terminal);
}

QByteArray noDisplay(const QString& display, const texts::Terminal& terminal)
{
    if (display.isEmpty())
        return terminalLine(texts::line(texts::Line::DisplayNotSet, terminal.language), terminal);
    return terminalLine(texts::line(texts::Line::DisplayUnreachable, terminal.language).arg(display), terminal);
}

QByteArray threadNotStarted(std::optional<unsigned long long> processLimit, const texts::Terminal& terminal)
{
    if (!processLimit)
        return terminalLine(texts::line(texts::Line::ThreadNotStarted, terminal.language), terminal);
    return terminalLine(texts::line(texts::Line::ThreadNotStartedForLimit, terminal.language).arg(*processLimit),
                        terminal);
}

QByteArray fileLimit(unsigned long long limit, unsigned long long needed, const texts::Terminal& terminal)
{
    return terminalLine(texts::line(texts::Line::FileLimit, terminal.language).arg(limit).arg(needed), terminal);
}

QByteArray stackLimit(unsigned long long limitKiB, unsigned long long neededKiB, const texts::Terminal& terminal)
{
    return terminalLine(texts::line(texts::Line::StackLimit, terminal.language).arg(limitKiB).arg(neededKiB), terminal);
}

QByteArray displayCannotShowPicture(unsigned depth, const texts::Terminal& terminal)
{
    return terminalLine(texts::line(texts::Line::ScreenDepth, terminal.language).arg(depth), terminal);
}

} // namespace fatalline
