// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// The terminal's language and codeset, and the encoder: LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG, a codeset and a text, each ending at a NUL byte but the
// text. A codeset of one byte below the number of named ones is that named
// codeset. The rules:
// - the language follows GNU's rule, and is Japanese only where the codeset
//   holds Japanese, where the Japanese help is then written whole;
// - the codeset picked is the one given (or named by the locale) where it is
//   writable, ASCII otherwise;
// - the encoder's output, decoded again, is the text with each character the
//   codeset cannot hold as one "?"; where the codeset is not writable it is
//   ASCII, with one "?" for each other character; and it holds a NUL or an
//   escape byte only where the text does.

#include "app/texts/catalogue.h"
#include "app/texts/terminal.h"
#include "fuzzing.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <iconv.h>

using texts::Language;

namespace {

constexpr char ascii[] = "ANSI_X3.4-1968";

struct Named {
    const char* name;
    bool writable; // stateless, ASCII as single bytes
};

// Codesets of glibc's locales, and codesets no terminal is written in.
constexpr Named named[] = {
    {"UTF-8", true},      {"EUC-JP", true},       {"SHIFT_JIS", true},    {"CP932", true},        {"EUC-JP-MS", true},
    {"ISO-8859-1", true}, {"ISO-8859-15", true},  {"KOI8-R", true},       {"GB18030", true},      {"BIG5", true},
    {"EUC-KR", true},     {ascii, true},          {"UCS-2", false},       {"UTF-16", false},      {"UTF-32", false},
    {"UTF-7", false},     {"ISO-2022-JP", false}, {"ISO-2022-KR", false}, {"ISO-2022-CN", false}, {"IBM037", false},
};

// The model of GNU's rule.
bool namesLanguage(const QByteArray& entry, const QByteArray& code)
{
    if (!entry.startsWith(code))
        return false;
    return entry.size() == code.size() || QByteArray("_.@").contains(entry[code.size()]);
}

Language gnuLanguage(const QByteArray& languageList, const QByteArray& lcAll, const QByteArray& lcMessages,
                     const QByteArray& lang)
{
    const QByteArray locale = !lcAll.isEmpty() ? lcAll : !lcMessages.isEmpty() ? lcMessages : lang;
    const bool cLocale = locale.isEmpty() || locale == "C" || locale == "POSIX" || locale.startsWith("C.");
    if (!cLocale) {
        for (const QByteArray& entry : languageList.split(':')) {
            if (namesLanguage(entry, "ja") || namesLanguage(entry, "en"))
                return namesLanguage(entry, "ja") ? Language::Japanese : Language::English;
        }
    }
    return namesLanguage(locale, "ja") ? Language::Japanese : Language::English;
}

// One iconv converter for each direction and named codeset, kept.
iconv_t converter(const char* to, const char* from)
{
    // Kept to the end, where nothing closes them: still reachable, no leak.
    static auto* const open = new std::map<std::pair<std::string, std::string>, iconv_t>;
    auto [place, added] = open->try_emplace({to, from});
    if (added)
        place->second = ::iconv_open(to, from);
    ::iconv(place->second, nullptr, nullptr, nullptr, nullptr);
    return place->second;
}

// `bytes` converted whole, or nothing where iconv fails.
std::optional<std::string> convert(const std::string& bytes, const char* to, const char* from)
{
    const iconv_t cd = converter(to, from);
    std::string input = bytes;
    std::string output(bytes.size() * 8 + 64, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (::iconv(cd, &in, &inLeft, &out, &outLeft) == std::size_t(-1)
        || ::iconv(cd, nullptr, nullptr, &out, &outLeft) == std::size_t(-1))
        return std::nullopt;
    output.resize(output.size() - outLeft);
    return output;
}

QList<uint> ucs4(const std::string& utf8)
{
    return QString::fromStdString(utf8).toUcs4();
}

void checkEncoding(const QString& text, const Named& codeset)
{
    const QByteArray encoded = texts::encode(text, codeset.name);
    const QList<uint> characters = text.toUcs4();
    QByteArray asAscii;
    for (const uint c : characters)
        asAscii += c < 0x80 ? char(c) : '?';
    if (!codeset.writable) {
        fuzzing::require(encoded == asAscii, "a codeset that is not writable gets ASCII");
        return;
    }
    // Each character as the codeset writes it alone, or one "?"; ASCII as
    // its own byte, whatever the codeset reads that byte as.
    std::string expected;
    std::vector<bool> held;
    for (const uint c : characters) {
        const std::string one = QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1).toStdString();
        const std::optional<std::string> bytes = c < 0x80 ? one : convert(one, codeset.name, "UTF-8");
        expected += bytes.value_or("?");
        held.push_back(bytes.has_value());
    }
    fuzzing::require(encoded.toStdString() == expected, "each character as the codeset holds it, or one '?'");
    const std::optional<std::string> decoded = convert(encoded.toStdString(), "UTF-8", codeset.name);
    fuzzing::require(decoded.has_value(), "the output decodes in its codeset");
    const QList<uint> back = ucs4(*decoded);
    fuzzing::require(back.size() == characters.size(), "one character out for each character in");
    for (qsizetype i = 0; i < back.size(); ++i)
        fuzzing::require(held[std::size_t(i)] || back[i] == '?', "a character the codeset cannot hold reads as '?'");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzing::Input input(data, size);
    const QByteArray languageList = QByteArray::fromStdString(input.field());
    const QByteArray lcAll = QByteArray::fromStdString(input.field());
    const QByteArray lcMessages = QByteArray::fromStdString(input.field());
    const QByteArray lang = QByteArray::fromStdString(input.field());
    const std::string codesetField = input.field();
    const QString text = QString::fromStdString(input.rest());
    const Named* listed = codesetField.size() == 1 && std::size_t(codesetField[0]) < std::size(named)
        ? &named[std::size_t(codesetField[0])]
        : nullptr;
    const QByteArray codeset = listed ? QByteArray(listed->name) : QByteArray::fromStdString(codesetField);

    // The language.
    const Language language = texts::languageOf(languageList, lcAll, lcMessages, lang, codeset);
    const bool japanese = texts::holdsJapanese(codeset);
    fuzzing::require(language == (japanese ? gnuLanguage(languageList, lcAll, lcMessages, lang) : Language::English),
                     "GNU's rule, and English where the codeset cannot hold Japanese");
    if (japanese) {
        fuzzing::require(texts::writable(codeset), "a codeset that holds Japanese is writable");
        const QByteArray help = texts::helpText(texts::Terminal{Language::Japanese, codeset});
        fuzzing::require(!help.contains('?'), "the Japanese help is written whole where the codeset holds Japanese");
    }

    // The codeset picked.
    const bool writable = texts::writable(codeset);
    if (listed)
        fuzzing::require(writable == listed->writable, "stateless codesets keeping ASCII are writable, no others");
    fuzzing::require(texts::codesetOf(codeset.constData(), lang) == (writable ? codeset : QByteArray(ascii)),
                     "the loaded locale's codeset where it is writable, ASCII otherwise");
    const qsizetype dot = lang.indexOf('.');
    const QByteArray fromName = dot < 0 ? QByteArray() : lang.mid(dot + 1).split('@').front();
    const QByteArray picked = texts::codesetOf(nullptr, lang);
    fuzzing::require(picked == fromName || picked == ascii, "the codeset the locale's name gives, or ASCII");
    fuzzing::require(texts::writable(picked), "the codeset picked is writable");

    // The encoder.
    const QByteArray encoded = texts::encode(text, codeset);
    for (const char byte : {'\0', '\x1B'})
        fuzzing::require(!encoded.contains(byte) || text.contains(QChar(char16_t(byte))),
                         "no NUL or escape byte of its own");
    if (listed) {
        checkEncoding(text, *listed);
    } else if (!writable) {
        checkEncoding(text, Named{codeset.constData(), false});
    }
    return 0;
}
