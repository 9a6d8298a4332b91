// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What the program says on a terminal: the answers to --help and --version,
// and the language of the lines it writes on standard error. The window's own
// texts are Japanese whatever the locale.
namespace terminaltext {

enum class Language { English, Japanese };

// The language of the locale's messages: the first of LC_ALL, LC_MESSAGES and
// LANG that is set and not empty decides, Japanese when it names ja (ja,
// ja_JP.UTF-8, ...), English for anything else or when none is set.
Language languageOf(const QByteArray& lcAll, const QByteArray& lcMessages, const QByteArray& lang);

// The language of this process's environment.
Language language();

// `japanese` or `english`, as `language` says, or as language() says.
QString inLanguage(Language language, const QString& japanese, const QString& english);
QString inLanguage(const QString& japanese, const QString& english);

// The text to print on standard output, UTF-8, when the command line asks for
// help or the version before anything else; nothing when it asks for neither,
// and the program is to start.
std::optional<QByteArray> answer(int argc, const char* const* argv, Language language);

// Writes `text` on standard output; the exit status: 0, or 1 when it could not
// all be written (a full disk, a closed output).
int print(const QByteArray& text);

} // namespace terminaltext
