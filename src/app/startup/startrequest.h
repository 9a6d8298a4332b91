// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

namespace startup {

// How the launcher asked for the window to be shown first: "-maximized" or
// "-iconic" on the command line, the last one given winning. Anything else
// there is ignored.
enum class StartRequest { Normal, Maximised, Minimised };

StartRequest startRequest(int argc, const char* const* argv);

} // namespace startup
