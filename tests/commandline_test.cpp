// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/commandline.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using commandline::Answer;
using commandline::Request;
using commandline::StartRequest;

struct Row : tablerows::Named {
    std::vector<const char*> arguments; // after the program's name
    Request request;
};

class CommandLine : public testing::TestWithParam<Row> {};

TEST_P(CommandLine, GivesTheAnswerOrHowToShowTheWindow)
{
    const Row& row = GetParam();
    std::vector<const char*> argv{"stereogram"};
    argv.insert(argv.end(), row.arguments.begin(), row.arguments.end());
    const Request parsed = commandline::parse(int(argv.size()), argv.data());
    EXPECT_EQ(parsed.answer, row.request.answer);
    EXPECT_EQ(parsed.start, row.request.start);
}

constexpr Request normal{};
constexpr Request help{Answer::Help, StartRequest::Normal};
constexpr Request version{Answer::Version, StartRequest::Normal};
constexpr Request maximised{Answer::None, StartRequest::Maximised};
constexpr Request minimised{Answer::None, StartRequest::Minimised};

INSTANTIATE_TEST_SUITE_P(
    Rows, CommandLine,
    testing::Values(
        Row{"Nothing", {}, normal}, Row{"Help", {"--help"}, help}, Row{"Version", {"--version"}, version},
        Row{"TheFirstOfHelpAndVersionCounts", {"--version", "--help"}, version},
        Row{"TheFirstOfHelpAndVersionCountsTheOtherWayRound", {"--help", "--version"}, help},
        Row{"HelpAfterOtherArguments", {"-iconic", "x", "--help"}, {Answer::Help, StartRequest::Minimised}},
        Row{"Maximised", {"-maximized"}, maximised}, Row{"Minimised", {"-iconic"}, minimised},
        Row{"TheLastStartRequestCounts", {"-iconic", "-maximized"}, maximised},
        Row{"TheLastStartRequestCountsTheOtherWayRound", {"-maximized", "-iconic"}, minimised},
        Row{"NearMissesAreIgnored", {"--helpme", "-help", "--Version", "-version", "--maximized", "-Iconic"}, normal},
        Row{"QtsOwnOptionsAreIgnored", {"-display", ":9", "-style", "fusion", "-session", "x"}, normal},
        Row{"NullEntriesArePassedOver", {nullptr, "-iconic", nullptr}, minimised},
        Row{"AnEmptyArgumentIsIgnored", {""}, normal}),
    tablerows::byName);

TEST(CommandLine, WithoutEvenTheProgramsNameIsAPlainStart)
{
    EXPECT_EQ(commandline::parse(0, nullptr), Request{});
}

} // namespace
