// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/lastwords.h"

#include "app/errors/errorreport.h"

#include <QRegularExpression>

namespace lastwords {

namespace {

// Qt's xcb plugin warns with this, in one of two wordings, and then ends the
// program with status 1, when its connection to the X server has closed; the
// number is xcb's reason.
const QRegularExpression connectionBroke(QStringLiteral(R"(^The X11 connection broke.*\((?:code|error) (\d+)\))"));
// xcb's reason when the connection itself could not allocate memory
// (XCB_CONN_CLOSED_MEM_INSUFFICIENT).
constexpr int xcbOutOfMemory = 3;
// Qt says this, critical, when it cannot start a thread; it would then wait
// for that thread for ever. Short of memory is the only reason seen.
const QString threadNotStarted = QStringLiteral("QThread::start");

// One line, whatever the message holds.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.simplified();
}

QByteArray utf8Line(const QString& text)
{
    return text.toUtf8() + '\n';
}

} // namespace

std::optional<Cause> causeOf(QtMsgType type, const QString& message)
{
    switch (type) {
    case QtFatalMsg:
        return Cause::QtFatal;
    case QtCriticalMsg:
        if (message.startsWith(threadNotStarted))
            return Cause::MemoryExhausted;
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

QByteArray line(Cause cause, const QString& detail, terminaltext::Language language)
{
    using terminaltext::inLanguage;
    switch (cause) {
    case Cause::XConnectionLost:
        return utf8Line(inLanguage(language, QStringLiteral("X サーバーとの接続が切れたため終了します。"),
                                   QStringLiteral("Exiting: the connection to the X server was lost.")));
    case Cause::MemoryExhausted:
        return utf8Line(inLanguage(language, QStringLiteral("メモリが足りないため終了します。"),
                                   QStringLiteral("Exiting: out of memory.")));
    case Cause::QtFatal:
        if (detail.trimmed().isEmpty())
            return utf8Line(inLanguage(language, QStringLiteral("Qt の致命的なエラーのため終了します。"),
                                       QStringLiteral("Exiting: a fatal Qt error.")));
        return utf8Line(inLanguage(language, QStringLiteral("Qt の致命的なエラーのため終了します: %1"),
                                   QStringLiteral("Exiting: a fatal Qt error: %1"))
                            .arg(oneLine(detail)));
    case Cause::UncaughtException:
        break;
    }
    return utf8Line(inLanguage(language, QStringLiteral("捕捉されない例外のため終了します。"),
                               QStringLiteral("Exiting: an exception was not caught.")));
}

QByteArray uncaught(const errors::CaughtException& caught, terminaltext::Language language)
{
    const std::string module = caught.site.known ? caught.site.module : throwsite::programModule();
    if (language == terminaltext::Language::English)
        return utf8Line(QStringLiteral("Exiting: an exception was not caught: %1 in module %2 at %3. %4")
                            .arg(QString::fromUtf8(caught.className), QString::fromStdString(module),
                                 errors::address(caught.site.offset), oneLine(errors::sentence(caught.message)))
                            .trimmed());
    const QString what = errors::applicationErrorText(caught.className, QByteArray::fromStdString(module),
                                                      caught.site.offset, caught.message);
    return utf8Line(QStringLiteral("捕捉されない例外のため終了します: %1").arg(oneLine(what)));
}

QByteArray notEnoughAddressSpace(unsigned long long neededMebibytes, terminaltext::Language language)
{
    return utf8Line(
        terminaltext::inLanguage(
            language,
            QStringLiteral("メモリが足りないため起動できません。起動には空きアドレス空間が %1 MiB 必要です。"),
            QStringLiteral("Cannot start: out of memory. Start-up needs %1 MiB of free address space."))
            .arg(neededMebibytes));
}

QByteArray platformDidNotStart(const QString& platform, terminaltext::Language language)
{
    return utf8Line(terminaltext::inLanguage(language, QStringLiteral("ウィンドウ システム「%1」を開始できません。"),
                                             QStringLiteral("Cannot start the window system \"%1\"."))
                        .arg(platform));
}

QByteArray noDisplay(const QString& display, terminaltext::Language language)
{
    if (display.isEmpty())
        return utf8Line(terminaltext::inLanguage(
            language, QStringLiteral("ディスプレイに接続できません。DISPLAY が設定されていません。"),
            QStringLiteral("Cannot connect to a display: DISPLAY is not set.")));
    return utf8Line(terminaltext::inLanguage(language, QStringLiteral("ディスプレイ「%1」に接続できません。"),
                                             QStringLiteral("Cannot connect to the display \"%1\"."))
                        .arg(display));
}

QByteArray tooSlowToShow(unsigned seconds, terminaltext::Language language)
{
    return utf8Line(
        terminaltext::inLanguage(language, QStringLiteral("ウィンドウを %1 秒以内に表示できなかったため終了します。"),
                                 QStringLiteral("Exiting: the window could not be shown within %1 seconds."))
            .arg(seconds));
}

} // namespace lastwords
