// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

// The program's command line, read once: what to print instead of starting,
// or how to show the window first. Anything else there is ignored, Qt's own
// options (-display, -style, ...) included, and so are null entries.
namespace commandline {

// What --help or --version asks for: the first of them given counts.
enum class Answer { None, Help, Version };

// How the launcher asked for the window to be shown first: "-maximized" or
// "-iconic", the last one given counting.
enum class StartRequest { Normal, Maximised, Minimised };

struct Request {
    Answer answer = Answer::None;
    StartRequest start = StartRequest::Normal;

    bool operator==(const Request&) const = default;
};

Request parse(int argc, const char* const* argv);

} // namespace commandline
