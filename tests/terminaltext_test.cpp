// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/terminaltext.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using terminaltext::Language;

struct LocaleRow {
    const char* name;
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    Language language;
};

void PrintTo(const LocaleRow& row, std::ostream* out)
{
    *out << row.name;
}

class MessageLanguage : public testing::TestWithParam<LocaleRow> {};

TEST_P(MessageLanguage, FollowsTheFirstOfLcAllLcMessagesAndLangThatIsSet)
{
    const LocaleRow& row = GetParam();
    EXPECT_EQ(terminaltext::languageOf(row.lcAll, row.lcMessages, row.lang), row.language);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MessageLanguage,
    testing::Values(LocaleRow{"NothingSet", "", "", "", Language::English},
                    LocaleRow{"LangJapanese", "", "", "ja_JP.UTF-8", Language::Japanese},
                    LocaleRow{"LangJustJa", "", "", "ja", Language::Japanese},
                    LocaleRow{"LangJapaneseInEucJp", "", "", "ja_JP.eucJP", Language::Japanese},
                    LocaleRow{"LangEnglish", "", "", "en_US.UTF-8", Language::English},
                    LocaleRow{"LangC", "", "", "C", Language::English},
                    LocaleRow{"MessagesOverLang", "", "C.UTF-8", "ja_JP.UTF-8", Language::English},
                    LocaleRow{"JapaneseMessagesOverEnglishLang", "", "ja_JP.UTF-8", "de_DE.UTF-8", Language::Japanese},
                    LocaleRow{"AllOverTheOthers", "ja_JP.UTF-8", "C", "C", Language::Japanese},
                    LocaleRow{"EnglishAllOverJapanese", "POSIX", "ja_JP.UTF-8", "ja_JP.UTF-8", Language::English},
                    LocaleRow{"NotJapaneseThoughItStartsSo", "", "", "jam_JM", Language::English}),
    [](const testing::TestParamInfo<LocaleRow>& row) { return std::string(row.param.name); });

struct AnswerRow {
    const char* name;
    std::vector<const char*> arguments; // after the program's name
    Language language;
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
    const std::optional<QByteArray> answer = terminaltext::answer(int(argv.size()), argv.data(), row.language);
    ASSERT_EQ(answer.has_value(), row.startsWith.has_value());
    if (answer) {
        EXPECT_TRUE(answer->startsWith(QByteArray::fromStdString(*row.startsWith))) << answer->toStdString();
        EXPECT_TRUE(answer->endsWith('\n'));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CommandLine,
    testing::Values(
        AnswerRow{"NoArguments", {}, Language::English, std::nullopt},
        AnswerRow{"StartRequestsOnly", {"-iconic", "-maximized"}, Language::English, std::nullopt},
        AnswerRow{"NearMissesStart", {"--helpme", "-help", "--Version", "-version"}, Language::English, std::nullopt},
        AnswerRow{"HelpInEnglish", {"--help"}, Language::English, "Usage: stereogram"},
        AnswerRow{"HelpInJapanese", {"--help"}, Language::Japanese, "使い方: stereogram"},
        AnswerRow{"Version", {"--version"}, Language::Japanese, "stereogram " STEREOGRAM_VERSION "\n"},
        AnswerRow{"HelpAmongOtherArguments", {"-iconic", "x", "--help"}, Language::English, "Usage:"},
        AnswerRow{"TheFirstOfTheTwo", {"--version", "--help"}, Language::English, "stereogram "}),
    [](const testing::TestParamInfo<AnswerRow>& row) { return std::string(row.param.name); });

TEST(Help, NamesEveryOptionInBothLanguages)
{
    for (const Language language : {Language::English, Language::Japanese}) {
        const char* argv[] = {"stereogram", "--help"};
        const QByteArray help = terminaltext::answer(2, argv, language).value_or(QByteArray());
        for (const char* option : {"-maximized", "-iconic", "--help", "--version"})
            EXPECT_TRUE(help.contains(QByteArray("  ") + option + ' ')) << option;
    }
}

} // namespace
