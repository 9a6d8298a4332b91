// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/terminaltext.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace terminaltext {

namespace {

constexpr const char* helpOption = "--help";
constexpr const char* versionOption = "--version";

QByteArray help(Language language)
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
                              "詳しくは man stereogram を参照してください。\n")
            .toUtf8();
    return QByteArrayLiteral("Usage: stereogram [-maximized | -iconic]\n"
                             "Shows a random-dot stereogram in which a three-armed emblem stands out,\n"
                             "in a window.\n"
                             "\n"
                             "  -maximized  open the window maximized\n"
                             "  -iconic     open the window minimized, without activating it\n"
                             "  --help      show this help and exit\n"
                             "  --version   show the version and exit\n"
                             "\n"
                             "Close the window with its button (閉じる, Close), C or Alt+C.\n"
                             "See man stereogram for more.\n");
}

QByteArray version()
{
    return QByteArrayLiteral("stereogram " STEREOGRAM_VERSION "\n");
}

} // namespace

Language languageOf(const QByteArray& lcAll, const QByteArray& lcMessages, const QByteArray& lang)
{
    for (const QByteArray* setting : {&lcAll, &lcMessages, &lang}) {
        if (setting->isEmpty())
            continue;
        const bool japanese =
            *setting == "ja" || setting->startsWith("ja_") || setting->startsWith("ja.") || setting->startsWith("ja@");
        return japanese ? Language::Japanese : Language::English;
    }
    return Language::English;
}

Language language()
{
    return languageOf(qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"), qgetenv("LANG"));
}

QString inLanguage(Language language, const QString& japanese, const QString& english)
{
    return language == Language::Japanese ? japanese : english;
}

QString inLanguage(const QString& japanese, const QString& english)
{
    return inLanguage(language(), japanese, english);
}

std::optional<QByteArray> answer(int argc, const char* const* argv, Language language)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], helpOption) == 0)
            return help(language);
        if (std::strcmp(argv[i], versionOption) == 0)
            return version();
    }
    return std::nullopt;
}

int print(const QByteArray& text)
{
    const bool written = std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout) == std::size_t(text.size());
    return written && std::fflush(stdout) == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace terminaltext
