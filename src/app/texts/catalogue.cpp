// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/texts/catalogue.h"

#include <iterator>

namespace texts {

namespace window {

const QString caption = QStringLiteral("Form1");
const QString closeCaption = QStringLiteral("閉じる(&C)");
const QString closeSpokenName = QStringLiteral("閉じる");
const QString closeSpokenDescription = QStringLiteral("ウィンドウを閉じて、プログラムを終了します。");
const QString pictureSpokenName = QStringLiteral("ランダム ドット ステレオグラム");
const QString pictureSpokenDescription =
    QStringLiteral("色とりどりの細かい点だけでできた立体画像です。画面より奥を見るように視線を平行にすると、"
                   "三本の腕を持つ図形が平らな背景の手前に浮かび上がって見えます。"
                   "図形は点の並びの中にだけあり、画面読み上げでは伝えられません。");
const char* const notEnoughResources = "システム リソースが足りません";
const QString applicationErrorCaption = QStringLiteral("アプリケーション エラー");
const QString applicationError = QStringLiteral("%1がモジュール %2 の %3 で発生しました。\n%4");
const QByteArray unknownException = QByteArrayLiteral("不明な例外");
const QString exceptionOfType = QStringLiteral("%1 型の例外");

} // namespace window

namespace {

struct Wording {
    QString japanese;
    QString english;
};

// In the order of Line.
const Wording wordings[] = {
    // XConnectionLost
    {QStringLiteral("X サーバーとの接続が切れたため終了します。"),
     QStringLiteral("Exiting: the connection to the X server was lost.")},
    // OutOfMemory
    {QStringLiteral("メモリが足りないため終了します。"), QStringLiteral("Exiting: out of memory.")},
    // QtFatal
    {QStringLiteral("Qt の致命的なエラーのため終了します。"), QStringLiteral("Exiting: a fatal Qt error.")},
    // QtFatalSaying
    {QStringLiteral("Qt の致命的なエラーのため終了します: %1"), QStringLiteral("Exiting: a fatal Qt error: %1")},
    // ExceptionUncaught
    {QStringLiteral("捕捉されない例外のため終了します。"), QStringLiteral("Exiting: an exception was not caught.")},
    // ExceptionUncaughtSaying
    {QStringLiteral("捕捉されない例外のため終了します: %1がモジュール %2 の %3 で発生しました。 %4"),
     QStringLiteral("Exiting: an exception was not caught: %1 in module %2 at %3. %4")},
    // NoAddressSpace
    {QStringLiteral("メモリが足りないため起動できません。起動には空きアドレス空間が %1 MiB 必要です "
                    "(ulimit -v)。"),
     QStringLiteral("Cannot start: out of memory. Start-up needs %1 MiB of free address space (ulimit -v).")},
    // NoDataSpace
    {QStringLiteral("メモリが足りないため起動できません。起動にはデータ領域の上限の下に %1 MiB "
                    "の空きが必要です (ulimit -d)。"),
     QStringLiteral("Cannot start: out of memory. Start-up needs %1 MiB free under the limit on data (ulimit -d).")},
    // PlatformDidNotStart
    {QStringLiteral("ウィンドウ システム「%1」を開始できません。"),
     QStringLiteral("Cannot start the window system \"%1\".")},
    // DisplayNotSet
    {QStringLiteral("ディスプレイに接続できません。DISPLAY が設定されていません。"),
     QStringLiteral("Cannot connect to a display: DISPLAY is not set.")},
    // DisplayUnreachable
    {QStringLiteral("ディスプレイ「%1」に接続できません。"), QStringLiteral("Cannot connect to the display \"%1\".")},
    // ThreadNotStarted
    {QStringLiteral("スレッドを開始できないため終了します。"),
     QStringLiteral("Exiting: a thread could not be started.")},
    // ThreadNotStartedForLimit
    {QStringLiteral("スレッドを開始できないため終了します。このユーザーのプロセスとスレッドの数の上限 "
                    "(ulimit -u) は %1 です。"),
     QStringLiteral("Exiting: a thread could not be started: the limit on this user's processes and "
                    "threads (ulimit -u) is %1.")},
    // FileLimit
    {QStringLiteral("開けるファイルの数の上限 (ulimit -n) が %1 のため起動できません。起動には %2 "
                    "必要です。"),
     QStringLiteral("Cannot start: the limit on open files (ulimit -n) is %1; start-up needs %2.")},
    // StackLimit
    {QStringLiteral("スタックの大きさの上限 (ulimit -s) が %1 KiB のため起動できません。起動には %2 "
                    "KiB 必要です。"),
     QStringLiteral("Cannot start: the limit on the stack (ulimit -s) is %1 KiB; start-up needs %2 KiB.")},
    // ScreenDepth
    {QStringLiteral("画面の色数が %1 ビットのため、絵を表示できません。15 ビット以上の画面が必要です。"),
     QStringLiteral("Cannot start: the screen has %1-bit colour, on which the picture cannot be shown; "
                    "it needs 15 bits or more.")},
};
static_assert(std::size(wordings) == std::size_t(Line::ScreenDepth) + 1, "a wording for every line");

} // namespace

QString help(Language language, bool showsJapanese)
{
    if (language == Language::Japanese)
        return QStringLiteral("使い方: stereogram [-maximized | -iconic]\n"
                              "隠れた三本腕の図形が浮かび上がるランダム ドット ステレオグラムを\n"
                              "ウィンドウに表示します。\n"
                              "\n"
                              "  -maximized  ウィンドウを最大化して開きます\n"
                              "  -iconic     ウィンドウを最小化し、アクティブにせずに開きます\n"
                              "  --help      この説明を表示して終了します\n"
                              "  --version   バージョンを表示して終了します\n"
                              "\n"
                              "ウィンドウは「閉じる」ボタン、C または Alt+C で閉じます。\n"
                              "詳しくは man stereogram を参照してください。\n");
    return QStringLiteral("Usage: stereogram [-maximized | -iconic]\n"
                          "Shows a random-dot stereogram in which a three-armed emblem stands out,\n"
                          "in a window.\n"
                          "\n"
                          "  -maximized  open the window maximized\n"
                          "  -iconic     open the window minimized, without activating it\n"
                          "  --help      show this help and exit\n"
                          "  --version   show the version and exit\n"
                          "\n"
                          "Close the window with its button (%1), C or Alt+C.\n"
                          "See man stereogram for more.\n")
        .arg(showsJapanese ? QStringLiteral("閉じる, Close") : QStringLiteral("Close"));
}

QString version()
{
    return QStringLiteral("stereogram " STEREOGRAM_VERSION "\n");
}

QString line(Line line, Language language)
{
    const Wording& words = wordings[std::size_t(line)];
    return language == Language::Japanese ? words.japanese : words.english;
}

} // namespace texts
