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
// for that thread for ever.
const QString threadStartFailure = QStringLiteral("QThread::start");

// One line, whatever the message holds.
QString oneLine(QString text)
{
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.simplified();
}

QByteArray terminalLine(const QString& text, const terminaltext::Terminal& terminal)
{
    return terminaltext::encode(text, terminal.codeset) + '\n';
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

QByteArray line(Cause cause, const QString& detail, const terminaltext::Terminal& terminal)
{
    const auto say = [&terminal](const QString& japanese, const QString& english) {
        return terminalLine(terminaltext::inLanguage(terminal.language, japanese, english), terminal);
    };
    switch (cause) {
    case Cause::XConnectionLost:
        return say(QStringLiteral("X サーバーとの接続が切れたため終了します。"),
                   QStringLiteral("Exiting: the connection to the X server was lost."));
    case Cause::MemoryExhausted:
        return say(QStringLiteral("メモリが足りないため終了します。"), QStringLiteral("Exiting: out of memory."));
    case Cause::ThreadNotStarted:
        return threadNotStarted(std::nullopt, terminal);
    case Cause::QtFatal:
        if (detail.trimmed().isEmpty())
            return say(QStringLiteral("Qt の致命的なエラーのため終了します。"),
                       QStringLiteral("Exiting: a fatal Qt error."));
        return terminalLine(terminaltext::inLanguage(terminal.language,
                                                     QStringLiteral("Qt の致命的なエラーのため終了します: %1"),
                                                     QStringLiteral("Exiting: a fatal Qt error: %1"))
                                .arg(oneLine(detail)),
                            terminal);
    case Cause::UncaughtException:
        break;
    }
    return say(QStringLiteral("捕捉されない例外のため終了します。"),
               QStringLiteral("Exiting: an exception was not caught."));
}

QByteArray uncaught(const errors::CaughtException& caught, const terminaltext::Terminal& terminal)
{
    const std::string module = caught.site.known ? caught.site.module : throwsite::programModule();
    if (terminal.language == terminaltext::Language::English)
        return terminalLine(QStringLiteral("Exiting: an exception was not caught: %1 in module %2 at %3. %4")
                                .arg(QString::fromUtf8(caught.className), QString::fromStdString(module),
                                     errors::address(caught.site.offset), oneLine(errors::sentence(caught.message)))
                                .trimmed(),
                            terminal);
    const QString what = errors::applicationErrorText(caught.className, QByteArray::fromStdString(module),
                                                      caught.site.offset, caught.message);
    return terminalLine(QStringLiteral("捕捉されない例外のため終了します: %1").arg(oneLine(what)), terminal);
}

QByteArray notEnoughAddressSpace(unsigned long long neededMebibytes, const terminaltext::Terminal& terminal)
{
    return terminalLine(
        terminaltext::inLanguage(
            terminal.language,
            QStringLiteral("メモリが足りないため起動できません。起動には空きアドレス空間が %1 MiB 必要です "
                           "(ulimit -v)。"),
            QStringLiteral("Cannot start: out of memory. Start-up needs %1 MiB of free address space (ulimit -v)."))
            .arg(neededMebibytes),
        terminal);
}

QByteArray notEnoughData(unsigned long long neededMebibytes, const terminaltext::Terminal& terminal)
{
    return terminalLine(
        terminaltext::inLanguage(
            terminal.language,
            QStringLiteral("メモリが足りないため起動できません。起動にはデータ領域の上限の下に %1 MiB の空きが必要です "
                           "(ulimit -d)。"),
            QStringLiteral(
                "Cannot start: out of memory. Start-up needs %1 MiB free under the limit on data (ulimit -d)."))
            .arg(neededMebibytes),
        terminal);
}

QByteArray platformDidNotStart(const QString& platform, const terminaltext::Terminal& terminal)
{
    return terminalLine(terminaltext::inLanguage(terminal.language,
                                                 QStringLiteral("ウィンドウ システム「%1」を開始できません。"),
                                                 QStringLiteral("Cannot start the window system \"%1\"."))
                            .arg(platform),
                        terminal);
}

QByteArray noDisplay(const QString& display, const terminaltext::Terminal& terminal)
{
    if (display.isEmpty())
        return terminalLine(
            terminaltext::inLanguage(terminal.language,
                                     QStringLiteral("ディスプレイに接続できません。DISPLAY が設定されていません。"),
                                     QStringLiteral("Cannot connect to a display: DISPLAY is not set.")),
            terminal);
    return terminalLine(terminaltext::inLanguage(terminal.language,
                                                 QStringLiteral("ディスプレイ「%1」に接続できません。"),
                                                 QStringLiteral("Cannot connect to the display \"%1\"."))
                            .arg(display),
                        terminal);
}

QByteArray threadNotStarted(std::optional<unsigned long long> processLimit, const terminaltext::Terminal& terminal)
{
    if (!processLimit)
        return terminalLine(terminaltext::inLanguage(terminal.language,
                                                     QStringLiteral("スレッドを開始できないため終了します。"),
                                                     QStringLiteral("Exiting: a thread could not be started.")),
                            terminal);
    return terminalLine(
        terminaltext::inLanguage(
            terminal.language,
            QStringLiteral("スレッドを開始できないため終了します。このユーザーのプロセスとスレッドの数の上限 "
                           "(ulimit -u) は %1 です。"),
            QStringLiteral("Exiting: a thread could not be started: the limit on this user's processes and "
                           "threads (ulimit -u) is %1."))
            .arg(*processLimit),
        terminal);
}

QByteArray fileLimit(unsigned long long limit, unsigned long long needed, const terminaltext::Terminal& terminal)
{
    return terminalLine(
        terminaltext::inLanguage(
            terminal.language,
            QStringLiteral("開けるファイルの数の上限 (ulimit -n) が %1 のため起動できません。起動には %2 必要です。"),
            QStringLiteral("Cannot start: the limit on open files (ulimit -n) is %1; start-up needs %2."))
            .arg(limit)
            .arg(needed),
        terminal);
}

QByteArray stackLimit(unsigned long long limitKiB, unsigned long long neededKiB, const terminaltext::Terminal& terminal)
{
    return terminalLine(
        terminaltext::inLanguage(
            terminal.language,
            QStringLiteral("スタックの大きさの上限 (ulimit -s) が %1 KiB のため起動できません。起動には %2 KiB "
                           "必要です。"),
            QStringLiteral("Cannot start: the limit on the stack (ulimit -s) is %1 KiB; start-up needs %2 KiB."))
            .arg(limitKiB)
            .arg(neededKiB),
        terminal);
}

QByteArray displayCannotShowPicture(unsigned depth, const terminaltext::Terminal& terminal)
{
    return terminalLine(
        terminaltext::inLanguage(
            terminal.language,
            QStringLiteral("画面の色数が %1 ビットのため、絵を表示できません。15 ビット以上の画面が必要です。"),
            QStringLiteral("Cannot start: the screen has %1-bit colour, on which the picture cannot be shown; "
                           "it needs 15 bits or more."))
            .arg(depth),
        terminal);
}

} // namespace lastwords
