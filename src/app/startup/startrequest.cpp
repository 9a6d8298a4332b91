// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/startrequest.h"

#include <string_view>

namespace startup {

namespace {

constexpr std::string_view maximisedOption = "-maximized";
constexpr std::string_view minimisedOption = "-iconic";

} // namespace

StartRequest startRequest(int argc, const char* const* argv)
{
    StartRequest request = StartRequest::Normal;
    for (int i = 1; i < argc; ++i) {
        if (!argv[i])
            continue;
        if (argv[i] == maximisedOption)
            request = StartRequest::Maximised;
        else if (argv[i] == minimisedOption)
            request = StartRequest::Minimised;
    }
    return request;
}

} // namespace startup
