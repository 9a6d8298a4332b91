// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QString>

// How the program speaks to the terminal it was started from: the language
// and codeset of --help, --version and the lines on standard error. The
// window's own texts are Japanese whatever the locale.
namespace texts {

enum class Language { English, Japanese };

// How the program speaks to the terminal it was started from.
struct Terminal {
    Language language = Language::English;
    // The locale's character set, as nl_langinfo(CODESET) names it.
    QByteArray codeset = "UTF-8";
};

// Whether text in `codeset` can hold Japanese: UTF-8, EUC-JP and Shift_JIS
// (and Microsoft's variants of the last two) under their usual names, in
// either case, with or without "-" and "_".
bool holdsJapanese(const QByteArray& codeset);

// Whether the terminal's lines can be written in `codeset`: iconv knows it
// by that name (letters, digits, "-", "_", "." and ":" only), every printable
// ASCII character, tab and newline is written as its own single byte, and
// no character leaves a shift state behind: the codesets of glibc's
// locales, such as UTF-8, EUC-JP, Shift_JIS or ISO-8859-1, but not UTF-16,
// UTF-7 or ISO-2022-JP.
bool writable(const QByteArray& codeset);

// The codeset of the terminal's lines: `loadedCodeset`, the loaded locale's
// as nl_langinfo(CODESET) names it, or, where the locale could not be loaded
// (null), the one the name `locale` gives ("ja_JP.eucJP@mod": eucJP), where
// it is writable; ASCII otherwise.
QByteArray codesetOf(const char* loadedCodeset, const QByteArray& locale);

// The language of the messages, by GNU's rule: LANGUAGE, a colon-separated
// list in which the first entry that names Japanese or English wins, unless
// the locale is C or POSIX (or C.<codeset>) or the list names neither; then
// the first of LC_ALL, LC_MESSAGES and LANG that is set and not empty,
// Japanese when it names ja (ja, ja_JP.UTF-8, ja.UTF-8, ja@…). English
// wherever `codeset` cannot hold Japanese.
Language languageOf(const QByteArray& languageList, const QByteArray& lcAll, const QByteArray& lcMessages,
                    const QByteArray& lang, const QByteArray& codeset);

// `text` in `codeset`, each character on its own; one the codeset cannot
// hold becomes one "?". ASCII, with a "?" for each other character, where
// the codeset is not writable or a character of `text` would leave a shift
// state behind.
QByteArray encode(const QString& text, const QByteArray& codeset);

// This process's terminal, read once from the environment and the C
// library's locale. Call first before Qt starts: Qt then moves the process's
// character set to UTF-8 whatever the terminal's is.
const Terminal& terminal();

// The answers to --help and --version, in the terminal's language and codeset.
QByteArray helpText(const Terminal& terminal);
QByteArray versionText();

// Writes `text` on standard output; the exit status: 0, or 1 when it could not
// all be written (a full disk, a closed output).
int print(const QByteArray& text);

} // namespace texts
