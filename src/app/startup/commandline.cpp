// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/commandline.h"

#include <string_view>

namespace commandline {

namespace {

constexpr std::string_view helpOption = "--help";
constexpr std::string_view versionOption = "--version";
constexpr std::string_view maximisedOption = "-maximized";
constexpr std::string_view minimisedOption = "-iconic";

} // namespace

Request parse(int argc, const char* const* argv)
{
    Request request;
    for (int i = 1; i < argc; ++i) {
        if (!argv[i])
            continue;
        const std::string_view argument = argv[i];
        if (request.answer == Answer::None && argument == helpOption)
            request.answer = Answer::Help;
        else if (request.answer == Answer::None && argument == versionOption)
            request.answer = Answer::Version;
        else if (argument == maximisedOption)
            request.start = StartRequest::Maximised;
        else if (argument == minimisedOption)
            request.start = StartRequest::Minimised;
    }
    return request;
}

} // namespace commandline
