// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/texts/terminal.h"

#include "app/texts/catalogue.h"

#include <QList>
#include <QtGlobal>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string_view>

#include <iconv.h>
#include <langinfo.h>

namespace texts {

namespace {

constexpr char replacement = '?';
// What the C library calls ASCII.
constexpr char ascii[] = "ANSI_X3.4-1968";
// Longer than any one character of any codeset the C library knows
// (MB_LEN_MAX is 16), shift sequences included.
constexpr std::size_t longestCharacter = 32;

// The characters every writable codeset keeps as their own single bytes:
// printable ASCII, tab and newline.
constexpr char asciiProbe[] = "\t\n !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`"
                              "abcdefghijklmnopqrstuvwxyz{|}~";
// Characters of several scripts, one each, that a stateful codeset writes
// in a shift state of its own (ISO-2022-JP, -KR, -CN).
constexpr char shiftProbe[] = "é€Ж日中한";

// The codesets that can hold Japanese, by their names with case, "-" and "_"
// set aside, and as iconv knows them.
struct JapaneseCodeset {
    const char* canonical;
    const char* iconvName;
};
constexpr JapaneseCodeset japaneseCodesets[] = {
    {"UTF8", "UTF-8"},     {"EUCJP", "EUC-JP"}, {"EUCJPMS", "EUC-JP-MS"}, {"SHIFTJIS", "SHIFT_JIS"},
    {"SJIS", "SHIFT_JIS"}, {"CP932", "CP932"},  {"WINDOWS31J", "CP932"},
};

// An iconv converter from UTF-8, closed with the pointer.
struct CloseConverter {
    void operator()(void* converter) const { ::iconv_close(static_cast<iconv_t>(converter)); }
};
using Converter = std::unique_ptr<void, CloseConverter>;

// The locale that sets the character set.
QByteArray ctypeLocale()
{
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        if (QByteArray value = qgetenv(variable); !value.isEmpty())
            return value;
    }
    return {};
}

// The codeset's name with case, "-" and "_" set aside: glibc answers
// "EUC-JP" where the locale was named "ja_JP.eucJP".
QByteArray canonical(const QByteArray& codeset)
{
    QByteArray name;
    const QByteArray upper = codeset.toUpper();
    for (const char c : upper) {
        if (c != '-' && c != '_')
            name += c;
    }
    return name;
}

bool isUtf8(const QByteArray& codeset)
{
    return canonical(codeset) == "UTF8";
}

const JapaneseCodeset* japaneseCodeset(const QByteArray& codeset)
{
    const QByteArray name = canonical(codeset);
    const auto found = std::find_if(std::begin(japaneseCodesets), std::end(japaneseCodesets),
                                    [&name](const JapaneseCodeset& japanese) { return name == japanese.canonical; });
    return found == std::end(japaneseCodesets) ? nullptr : found;
}

// A codeset's name is letters, digits and "-", "_", ".", ":"; anything
// more, such as iconv's "//TRANSLIT", asks iconv for another conversion.
bool isCodesetName(const QByteArray& codeset)
{
    return !codeset.isEmpty() && std::all_of(codeset.begin(), codeset.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'
            || c == '.' || c == ':';
    });
}

// A converter into `codeset`, null where iconv does not know it.
Converter open(const QByteArray& codeset)
{
    if (!isCodesetName(codeset))
        return nullptr;
    const JapaneseCodeset* japanese = japaneseCodeset(codeset);
    const iconv_t converter = ::iconv_open(japanese ? japanese->iconvName : codeset.constData(), "UTF-8");
    const auto failed = iconv_t(-1); // NOLINT(performance-no-int-to-ptr): iconv_open's documented failure value
    return converter == failed ? nullptr : Converter(converter);
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
qsizetype utf8Length(char lead)
{
    const auto byte = static_cast<unsigned char>(lead);
    if (byte < 0x80)
        return 1;
    if ((byte & 0xE0) == 0xC0)
        return 2;
    if ((byte & 0xF0) == 0xE0)
        return 3;
    return 4;
}

// How one character came out.
enum class Conversion : std::uint8_t {
    Written,   // as its bytes, from the initial shift state and back to it
    NotHeld,   // the codeset cannot hold it
    Unwritable // only with a shift state left, or not at all for another reason
};

// Converts one whole character, `utf8`, on its own, into `bytes`.
Conversion convertOne(const Converter& converter, QByteArray utf8, QByteArray& bytes)
{
    const auto cd = static_cast<iconv_t>(converter.get());
    char buffer[longestCharacter];
    char* in = utf8.data();
    std::size_t inLeft = std::size_t(utf8.size());
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    if (::iconv(cd, &in, &inLeft, &out, &outLeft) == std::size_t(-1)) {
        const bool notHeld = errno == EILSEQ;
        // Back to the initial state, writing nothing.
        const bool reset = ::iconv(cd, nullptr, nullptr, nullptr, nullptr) != std::size_t(-1);
        return notHeld && reset ? Conversion::NotHeld : Conversion::Unwritable;
    }
    const std::size_t written = sizeof buffer - outLeft;
    // A stateless codeset has no shift to close.
    if (::iconv(cd, nullptr, nullptr, &out, &outLeft) == std::size_t(-1) || sizeof buffer - outLeft != written)
        return Conversion::Unwritable;
    bytes = QByteArray(buffer, qsizetype(written));
    return Conversion::Written;
}

// Whether the converter writes each probe character as its own byte and
// leaves no shift state after any of them.
bool keepsAscii(const Converter& converter)
{
    QByteArray bytes;
    for (const char c : std::string_view(asciiProbe)) {
        if (convertOne(converter, QByteArray(1, c), bytes) != Conversion::Written || bytes != QByteArray(1, c))
            return false;
    }
    const QByteArray others(shiftProbe);
    for (qsizetype i = 0; i < others.size(); i += utf8Length(others[i])) {
        if (convertOne(converter, others.sliced(i, utf8Length(others[i])), bytes) == Conversion::Unwritable)
            return false;
    }
    return true;
}

// Where the codeset is not writable: ASCII, the part every codeset shares.
QByteArray asAscii(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const char32_t c : text.toUcs4())
        bytes += c < 0x80 ? char(c) : replacement;
    return bytes;
}

} // namespace

bool holdsJapanese(const QByteArray& codeset)
{
    return japaneseCodeset(codeset) != nullptr;
}

bool writable(const QByteArray& codeset)
{
    if (isUtf8(codeset))
        return true;
    const Converter converter = open(codeset);
    return converter && keepsAscii(converter);
}

QByteArray codesetOf(const char* loadedCodeset, const QByteArray& locale)
{
    QByteArray codeset;
    if (loadedCodeset) {
        codeset = loadedCodeset;
    } else if (const qsizetype dot = locale.indexOf('.'); dot >= 0) {
        const qsizetype modifier = locale.indexOf('@', dot);
        codeset = locale.mid(dot + 1, modifier < 0 ? -1 : modifier - dot - 1);
    }
    return writable(codeset) ? codeset : QByteArray(ascii);
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
    if (isUtf8(codeset))
        return text.toUtf8();
    const Converter converter = open(codeset);
    if (!converter || !keepsAscii(converter))
        return asAscii(text);
    const QByteArray utf8 = text.toUtf8();
    QByteArray encoded;
    encoded.reserve(utf8.size());
    QByteArray bytes;
    for (qsizetype i = 0; i < utf8.size();) {
        const qsizetype length = std::min(utf8Length(utf8[i]), utf8.size() - i);
        switch (convertOne(converter, utf8.sliced(i, length), bytes)) {
        case Conversion::Written:
            encoded += bytes;
            break;
        case Conversion::NotHeld:
            encoded += replacement;
            break;
        case Conversion::Unwritable:
            return asAscii(text);
        }
        i += length;
    }
    return encoded;
}

const Terminal& terminal()
{
    static const Terminal current = [] {
        Terminal found;
        // Where the locale is not there, or there is no memory to load it,
        // the codeset its name gives.
        found.codeset = codesetOf(std::setlocale(LC_CTYPE, "") ? ::nl_langinfo(CODESET) : nullptr, ctypeLocale());
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
