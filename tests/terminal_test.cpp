// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/texts/terminal.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

namespace {

using texts::Language;
using texts::Terminal;

struct LocaleRow : tablerows::Named {
    const char* languageList; // LANGUAGE
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    const char* codeset; // as nl_langinfo(CODESET) names it
    Language language;
};

class MessageLanguage : public testing::TestWithParam<LocaleRow> {};

TEST_P(MessageLanguage, FollowsGnusRuleWhereTheCodesetCanHoldIt)
{
    const LocaleRow& row = GetParam();
    EXPECT_EQ(texts::languageOf(row.languageList, row.lcAll, row.lcMessages, row.lang, row.codeset), row.language);
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
    tablerows::byName);

// A locale that cannot be loaded (not installed, or no memory to load it)
// gives its codeset by its name alone; where the name gives none, the
// terminal is taken for ASCII, on which Japanese cannot be written even
// where LANGUAGE asks for it.
struct UninstalledRow : tablerows::Named {
    const char* locale; // LC_ALL, LC_CTYPE or LANG
    const char* codeset;
    Language underLanguageJa;
};

class UninstalledLocale : public testing::TestWithParam<UninstalledRow> {};

TEST_P(UninstalledLocale, GivesTheCodesetItsNameNamesOrAscii)
{
    const UninstalledRow& row = GetParam();
    const QByteArray codeset = texts::codesetNamed(row.locale);
    EXPECT_EQ(codeset.toStdString(), row.codeset);
    EXPECT_EQ(texts::languageOf("ja", "", "", row.locale, codeset), row.underLanguageJa);
}

constexpr const char* ascii = "ANSI_X3.4-1968";

INSTANTIATE_TEST_SUITE_P(Rows, UninstalledLocale,
                         testing::Values(UninstalledRow{"WithoutACodesetIsAscii", "xx_YY", ascii, E},
                                         UninstalledRow{"JapaneseWithoutACodesetIsAscii", "ja_XX", ascii, E},
                                         UninstalledRow{"AModifierWithoutACodesetIsAscii", "xx_YY@euro", ascii, E},
                                         UninstalledRow{"NoLocaleNamedIsAscii", "", ascii, E},
                                         UninstalledRow{"WithUtf8", "xx_YY.UTF-8", "UTF-8", J},
                                         UninstalledRow{"TheCodesetEndsAtTheModifier", "ja_XX.EUC-JP@mod", "EUC-JP", J},
                                         UninstalledRow{"TheCodesetAsSpelt", "xx.eucjp", "eucjp", J},
                                         UninstalledRow{"ALatinCodeset", "xx_YY.ISO-8859-1", "ISO-8859-1", E}),
                         tablerows::byName);

struct EncodingRow : tablerows::Named {
    const char* text; // UTF-8
    const char* codeset;
    QByteArray bytes;
};

class Encoding : public testing::TestWithParam<EncodingRow> {};

TEST_P(Encoding, WritesWhatTheCodesetHoldsAndAQuestionMarkForTheRest)
{
    const EncodingRow& row = GetParam();
    EXPECT_EQ(texts::encode(QString::fromUtf8(row.text), row.codeset).toHex(' ').toStdString(),
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
    tablerows::byName);

const Terminal english{Language::English, "UTF-8"};
const Terminal japanese{Language::Japanese, "UTF-8"};

struct HelpRow : tablerows::Named {
    Terminal terminal;
    QByteArray startsWith;
};

class HelpText : public testing::TestWithParam<HelpRow> {};

TEST_P(HelpText, IsInTheTerminalsLanguageAndCodeset)
{
    const HelpRow& row = GetParam();
    const QByteArray text = texts::helpText(row.terminal);
    EXPECT_TRUE(text.startsWith(row.startsWith)) << text.toStdString();
    EXPECT_TRUE(text.endsWith('\n'));
}

INSTANTIATE_TEST_SUITE_P(Rows, HelpText,
                         testing::Values(HelpRow{"English", english, "Usage: stereogram"},
                                         HelpRow{"Japanese", japanese, "使い方: stereogram"},
                                         HelpRow{"JapaneseInEucJp", Terminal{Language::Japanese, "EUC-JP"},
                                                 "\xBB\xC8\xA4\xA4\xCA\xFD: stereogram"}),
                         tablerows::byName);

TEST(Version, IsTheProjectsVersion)
{
    EXPECT_EQ(texts::versionText().toStdString(), "stereogram " STEREOGRAM_VERSION "\n");
}

TEST(Help, NamesEveryOptionInBothLanguages)
{
    for (const Terminal& terminal : {english, japanese}) {
        const QByteArray help = texts::helpText(terminal);
        for (const char* option : {"-maximized", "-iconic", "--help", "--version"})
            EXPECT_TRUE(help.contains(QByteArray("  ") + option + ' ')) << option;
    }
}

TEST(Help, InEnglishOnATerminalThatCannotHoldJapaneseIsPlainAscii)
{
    for (const char* codeset : {"ANSI_X3.4-1968", "ISO-8859-1"}) {
        const QByteArray help = texts::helpText(Terminal{Language::English, codeset});
        EXPECT_TRUE(help.contains("(Close)")) << codeset;
        EXPECT_TRUE(std::all_of(help.begin(), help.end(), [](char c) { return c > 0 && c < 0x7F; })) << codeset;
    }
}

} // namespace
