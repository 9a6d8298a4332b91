// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/texts/terminal.h"

#include "app/texts/catalogue.h"

#include <QList>
#include <QtGlobal>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include <iconv.h>
#include <langinfo.h>

namespace texts {

namespace {

constexpr char replacement = '?';
// What the C library calls ASCII.
constexpr char ascii[] = "ANSI_X3.4-1968";

// The locale that sets the character set.
QByteArray ctypeLocale()
{
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        if (const QByteArray value = qgetenv(variable); !value.isEmpty())
            return value;
    }
    return {};
}

// The codeset's name with case, "-" and "_" set aside: glibc answers
// "EUC-JP" where the locale was named "ja_JP.eucJP".
QByteArray canonical(const QByteArray& codeset)
{
    QByteArray name;
    for (const char c : codeset.toUpper()) {
        if (c != '-' && c != '_')
            name += c;
    }
    return name;
}

bool isUtf8(const QByteArray& codeset)
{
    return canonical(codeset) == "UTF8";
}

bool namesLanguage(const QByteArray& entry, const QByteArray& code)
{
    return entry == code || entry.startsWith(code + '_') || entry.startsWith(code + '.')
        || entry.startsWith(code + '@');
}

bool isCLocale(const QByteArray& locale)
{
    return locale.isEmpty() || locale == "C" || locale == "POSIX" || locale.startsWith("C.");
}

// The number of bytes of the UTF-8 character that starts with `lead`.
int utf8Length(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    return 4;
}

// Where iconv does not know the codeset: ASCII, the part every codeset shares.
QByteArray asAscii(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? char(c.unicode()) : replacement;
    return bytes;
}

} // namespace

bool holdsJapanese(const QByteArray& codeset)
{
    static const QByteArray japanese[] = {"UTF8", "EUCJP", "EUCJPMS", "SHIFTJIS", "SJIS", "CP932", "WINDOWS31J"};
    const QByteArray name = canonical(codeset);
    return std::find(std::begin(japanese), std::end(japanese), name) != std::end(japanese);
}

Language languageOf(const QByteArray& languageList, const QByteArray& lcAll, const QByteArray& lcMessages,
                    const QByteArray& lang, const QByteArray& codeset)
{
    QByteArray locale;
    for (const QByteArray* setting : {&lcAll, &lcMessages, &lang}) {
        if (!setting->isEmpty()) {
            locale = *setting;
            break;
        }
    }
    Language chosen = namesLanguage(locale, "ja") ? Language::Japanese : Language::English;
    if (!isCLocale(locale)) {
        for (const QByteArray& entry : languageList.split(':')) {
            if (namesLanguage(entry, "ja")) {
                chosen = Language::Japanese;
                break;
            }
            if (namesLanguage(entry, "en")) {
                chosen = Language::English;
                break;
            }
        }
    }
    return holdsJapanese(codeset) ? chosen : Language::English;
}

QByteArray encode(const QString& text, const QByteArray& codeset)
{
    QByteArray utf8 = text.toUtf8();
    if (isUtf8(codeset))
        return utf8;
    const iconv_t converter = ::iconv_open(codeset.constData(), "UTF-8");
    if (converter == iconv_t(-1))
        return asAscii(text);
    QByteArray encoded(utf8.size() * 2 + 8, Qt::Uninitialized);
    char* in = utf8.data();
    std::size_t inLeft = std::size_t(utf8.size());
    char* out = encoded.data();
    std::size_t outLeft = std::size_t(encoded.size());
    const auto grow = [&encoded, &out, &outLeft] {
        const qsizetype written = out - encoded.data();
        encoded.resize(encoded.size() * 2);
        out = encoded.data() + written;
        outLeft = std::size_t(encoded.size() - written);
    };
    while (inLeft > 0) {
        if (::iconv(converter, &in, &inLeft, &out, &outLeft) != std::size_t(-1))
            break;
        if (errno == E2BIG) {
            grow();
            continue;
        }
        // A character the codeset cannot hold.
        const std::size_t skipped = std::min<std::size_t>(inLeft, utf8Length(static_cast<unsigned char>(*in)));
        in += skipped;
        inLeft -= skipped;
        if (outLeft == 0)
            grow();
        *out++ = replacement;
        --outLeft;
    }
    ::iconv(converter, nullptr, nullptr, &out, &outLeft); // a stateful codeset's closing shift
    ::iconv_close(converter);
    encoded.truncate(out - encoded.data());
    return encoded;
}

QByteArray codesetNamed(const QByteArray& localeName)
{
    const qsizetype dot = localeName.indexOf('.');
    return dot < 0 ? QByteArray(ascii) : localeName.mid(dot + 1, localeName.indexOf('@', dot) - dot - 1);
}

const Terminal& terminal()
{
    static const Terminal current = [] {
        Terminal found;
        if (std::setlocale(LC_CTYPE, "")) {
            found.codeset = ::nl_langinfo(CODESET);
        } else {
            // The locale is not there, or there is no memory to load it.
            found.codeset = codesetNamed(ctypeLocale());
        }
        found.language =
            languageOf(qgetenv("LANGUAGE"), qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"), qgetenv("LANG"), found.codeset);
        return found;
    }();
    return current;
}

QByteArray helpText(const Terminal& terminal)
{
    return encode(help(terminal.language, holdsJapanese(terminal.codeset)), terminal.codeset);
}

QByteArray versionText()
{
    return version().toUtf8();
}

int print(const QByteArray& text)
{
    const bool written = std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout) == std::size_t(text.size());
    return written && std::fflush(stdout) == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace texts
