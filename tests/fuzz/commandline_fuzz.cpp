// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// The command line: any arguments, each ending at a NUL byte; an argument of
// the one byte 0xFF stands for a null entry. The answer is the first of
// --help and --version given, the start request the last of -maximized and
// -iconic; everything else, argv[0] and null entries included, is ignored.

#include "app/startup/commandline.h"
#include "fuzzing.h"

#include <algorithm>
#include <string>
#include <vector>

using commandline::Answer;
using commandline::StartRequest;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzing::Input input(data, size);
    std::vector<std::string> arguments;
    while (!input.empty())
        arguments.push_back(input.field());
    const std::string nullEntry = "\xFF";

    // argv[0] may be anything too, even an option's name.
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument == nullEntry ? nullptr : argument.c_str());
    if (argv.empty())
        argv.push_back("stereogram");
    const commandline::Request request = commandline::parse(int(argv.size()), argv.data());

    const auto given = [&](auto first, auto last, std::initializer_list<const char*> options) {
        return std::find_if(first, last, [&](const std::string& argument) {
            return std::find(options.begin(), options.end(), argument) != options.end();
        });
    };
    const auto options = arguments.empty() ? arguments.end() : arguments.begin() + 1;
    const auto answer = given(options, arguments.end(), {"--help", "--version"});
    const Answer expectedAnswer =
        answer == arguments.end() ? Answer::None : (*answer == "--help" ? Answer::Help : Answer::Version);
    fuzzing::require(request.answer == expectedAnswer, "the answer is the first of --help and --version");

    const auto start = given(arguments.rbegin(), std::make_reverse_iterator(options), {"-maximized", "-iconic"});
    const StartRequest expectedStart = start == std::make_reverse_iterator(options)
        ? StartRequest::Normal
        : (*start == "-maximized" ? StartRequest::Maximised : StartRequest::Minimised);
    fuzzing::require(request.start == expectedStart, "the start request is the last of -maximized and -iconic");

    // Only the first argc entries count.
    const commandline::Request first = commandline::parse(1, argv.data());
    fuzzing::require(first == commandline::Request{}, "argv[0] alone asks for nothing");
    return 0;
}
