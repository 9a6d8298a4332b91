// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/terminaltext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using terminaltext::Language;
using terminaltext::Terminal;

struct LocaleRow {
    const char* name;
    const char* languageList; // LANGUAGE
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    const char* codeset; // as nl_langinfo(CODESET) names it
    Language language;
};

void PrintTo(const LocaleRow& row, std::ostream* out)
{
    *out << row.name;
}

class MessageLanguage : public testing::TestWithParam<LocaleRow> {};

TEST_P(MessageLanguage, FollowsGnusRuleWhereTheCodesetCanHoldIt)
{
    const LocaleRow& row = GetParam();
    EXPECT_EQ(terminaltext::languageOf(row.languageList, row.lcAll, row.lcMessages, row.lang, row.codeset),
              row.language);
}

constexpr auto J = Language::Japanese;
constexpr auto E = Language::English;

INSTANTIATE_TEST_SUITE_P(
    Locales, MessageLanguage,
    testing::Values(
        LocaleRow{"NothingSet", "", "", "", "", "ANSI_X3.4-1968", E},
        LocaleRow{"LangJapanese", "", "", "", "ja_JP.UTF-8", "UTF-8", J},
        LocaleRow{"LangJustJa", "", "", "", "ja", "UTF-8", J},
        LocaleRow{"LangJaWithACodesetAndNoTerritory", "", "", "", "ja.UTF-8", "UTF-8", J},
        LocaleRow{"LangJaWithAModifier", "", "", "", "ja@cjknarrow", "UTF-8", J},
        LocaleRow{"LangJapaneseInEucJp", "", "", "", "ja_JP.eucJP", "EUC-JP", J},
        LocaleRow{"LangJapaneseInShiftJis", "", "", "", "ja_JP.SJIS", "SHIFT_JIS", J},
        LocaleRow{"LangJapaneseOnAnAsciiTerminal", "", "", "", "ja_JP", "ANSI_X3.4-1968", E},
        LocaleRow{"LangJapaneseInLatin1", "", "", "", "ja_JP.ISO-8859-1", "ISO-8859-1", E},
        LocaleRow{"LangEnglish", "", "", "", "en_US.UTF-8", "UTF-8", E},
        LocaleRow{"LangC", "", "", "", "C", "ANSI_X3.4-1968", E},
        LocaleRow{"NotJapaneseThoughItStartsSo", "", "", "", "jam_JM.UTF-8", "UTF-8", E},
        LocaleRow{"MessagesOverLang", "", "", "C.UTF-8", "ja_JP.UTF-8", "UTF-8", E},
        LocaleRow{"JapaneseMessagesOverEnglishLang", "", "", "ja_JP.UTF-8", "de_DE.UTF-8", "UTF-8", J},
        LocaleRow{"AllOverTheOthers", "", "ja_JP.UTF-8", "C", "C", "UTF-8", J},
        LocaleRow{"EnglishAllOverJapanese", "", "POSIX", "ja_JP.UTF-8", "ja_JP.UTF-8", "UTF-8", E},
        LocaleRow{"LanguageJapaneseOverAnEnglishLocale", "ja", "", "", "en_US.UTF-8", "UTF-8", J},
        LocaleRow{"LanguageEnglishOverAJapaneseLocale", "en", "", "", "ja_JP.UTF-8", "UTF-8", E},
        LocaleRow{"LanguageListItsFirstJapaneseOrEnglishWins", "fr:ja:en", "", "", "en_US.UTF-8", "UTF-8", J},
        LocaleRow{"LanguageListEnglishBeforeJapanese", "de:en_GB:ja", "", "", "ja_JP.UTF-8", "UTF-8", E},
        LocaleRow{"LanguageEntriesWithCodesetAndModifier", "ja.UTF-8:ja@x", "", "", "en_US.UTF-8", "UTF-8", J},
        LocaleRow{"LanguageNamingNeitherLeavesItToTheLocale", "fr:jam:de", "", "", "ja_JP.UTF-8", "UTF-8", J},
        LocaleRow{"LanguageIgnoredInTheCLocale", "ja", "", "", "C", "UTF-8", E},
        LocaleRow{"LanguageIgnoredInPosix", "ja", "POSIX", "", "", "UTF-8", E},
        LocaleRow{"LanguageIgnoredInCUtf8", "ja", "", "", "C.UTF-8", "UTF-8", E},
        LocaleRow{"LanguageIgnoredWhereNoLocaleIsSet", "ja", "", "", "", "UTF-8", E},
        LocaleRow{"LanguageJapaneseOnALatin1Terminal", "ja", "", "", "en_US", "ISO-8859-1", E}),
    [](const testing::TestParamInfo<LocaleRow>& row) { return std::string(row.param.name); });

struct EncodingRow {
    const char* name;
    const char* text; // UTF-8
    const char* codeset;
    QByteArray bytes;
};

void PrintTo(const EncodingRow& row, std::ostream* out)
{
    *out << row.name;
}

class Encoding : public testing::TestWithParam<EncodingRow> {};

TEST_P(Encoding, WritesWhatTheCodesetHoldsAndAQuestionMarkForTheRest)
{
    const EncodingRow& row = GetParam();
    EXPECT_EQ(terminaltext::encode(QString::fromUtf8(row.text), row.codeset).toHex(' ').toStdString(),
              row.bytes.toHex(' ').toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Codesets, Encoding,
    testing::Values(EncodingRow{"Utf8AsItIs", "閉じる", "UTF-8", "\xE9\x96\x89\xE3\x81\x98\xE3\x82\x8B"},
                    EncodingRow{"EucJp", "閉じる (C)", "EUC-JP", "\xCA\xC4\xA4\xB8\xA4\xEB (C)"},
                    EncodingRow{"ShiftJis", "閉じる", "SHIFT_JIS", "\x95\xC2\x82\xB6\x82\xE9"},
                    EncodingRow{"Latin1KeepsWhatItHolds", "é 閉", "ISO-8859-1", "\xE9 ?"},
                    EncodingRow{"AsciiReplacesEachCharacterOnce", "a閉じb", "ANSI_X3.4-1968", "a??b"},
                    EncodingRow{"AnUnknownCodesetIsTakenAsAscii", "a閉é", "NO-SUCH-CODESET", "a??"}),
    [](const testing::TestParamInfo<EncodingRow>& row) { return std::string(row.param.name); });

struct AnswerRow {
    const char* name;
    std::vector<const char*> arguments; // after the program's name
    Terminal terminal;
    std::optional<std::string> startsWith; // nothing: the program starts
};

void PrintTo(const AnswerRow& row, std::ostream* out)
{
    *out << row.name;
}

class CommandLine : public testing::TestWithParam<AnswerRow> {};

TEST_P(CommandLine, AnswersHelpAndVersionAndLetsEverythingElseStart)
{
    const AnswerRow& row = GetParam();
    std::vector<const char*> argv{"stereogram"};
    argv.insert(argv.end(), row.arguments.begin(), row.arguments.end());
    const std::optional<QByteArray> answer = terminaltext::answer(int(argv.size()), argv.data(), row.terminal);
    ASSERT_EQ(answer.has_value(), row.startsWith.has_value());
    if (answer) {
        EXPECT_TRUE(answer->startsWith(QByteArray::fromStdString(*row.startsWith))) << answer->toStdString();
        EXPECT_TRUE(answer->endsWith('\n'));
    }
}

const Terminal english{Language::English, "UTF-8"};
const Terminal japanese{Language::Japanese, "UTF-8"};

INSTANTIATE_TEST_SUITE_P(
    Rows, CommandLine,
    testing::Values(AnswerRow{"NoArguments", {}, english, std::nullopt},
                    AnswerRow{"StartRequestsOnly", {"-iconic", "-maximized"}, english, std::nullopt},
                    AnswerRow{"NearMissesStart", {"--helpme", "-help", "--Version", "-version"}, english, std::nullopt},
                    AnswerRow{"HelpInEnglish", {"--help"}, english, "Usage: stereogram"},
                    AnswerRow{"HelpInJapanese", {"--help"}, japanese, "使い方: stereogram"},
                    AnswerRow{"Version", {"--version"}, japanese, "stereogram " STEREOGRAM_VERSION "\n"},
                    AnswerRow{"HelpAmongOtherArguments", {"-iconic", "x", "--help"}, english, "Usage:"},
                    AnswerRow{"TheFirstOfTheTwo", {"--version", "--help"}, english, "stereogram "},
                    AnswerRow{"NullEntriesPassedOver", {nullptr, "--help", nullptr}, english, "Usage:"},
                    AnswerRow{"HelpInJapaneseInEucJp",
                              {"--help"},
                              Terminal{Language::Japanese, "EUC-JP"},
                              "\xBB\xC8\xA4\xA4\xCA\xFD: stereogram"}),
    [](const testing::TestParamInfo<AnswerRow>& row) { return std::string(row.param.name); });

TEST(Help, NamesEveryOptionInBothLanguages)
{
    for (const Terminal& terminal : {english, japanese}) {
        const char* argv[] = {"stereogram", "--help"};
        const QByteArray help = terminaltext::answer(2, argv, terminal).value_or(QByteArray());
        for (const char* option : {"-maximized", "-iconic", "--help", "--version"})
            EXPECT_TRUE(help.contains(QByteArray("  ") + option + ' ')) << option;
    }
}

TEST(Help, InEnglishOnATerminalThatCannotHoldJapaneseIsPlainAscii)
{
    const char* argv[] = {"stereogram", "--help"};
    for (const char* codeset : {"ANSI_X3.4-1968", "ISO-8859-1"}) {
        const QByteArray help =
            terminaltext::answer(2, argv, Terminal{Language::English, codeset}).value_or(QByteArray());
        EXPECT_TRUE(help.contains("(Close)")) << codeset;
        EXPECT_TRUE(std::all_of(help.begin(), help.end(), [](char c) { return c > 0 && c < 0x7F; })) << codeset;
    }
}

} // namespace
