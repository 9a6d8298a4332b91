// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>

// Where exceptions are thrown. The program defines __cxa_throw, libstdc++'s
// throw entry point, in front of libstdc++'s own: every throw in the process,
// from this program or a library it loads, is noted with
// the address of the instruction that threw, for as long as the exception
// lives; a handler can then ask where the exception it handles came from.
namespace throwsite {

struct Site {
    bool known = false;
    std::string module;        // the file name of the module holding the throw, without its directory
    std::uintptr_t offset = 0; // the throwing instruction's address within that module
};

// Where the exception being handled was thrown: call inside a catch handler.
// Unknown for an exception that was never thrown as such (one made by
// std::make_exception_ptr), or thrown from inside libstdc++ itself.
Site ofCurrentException();

// The file name of the program's executable, without its directory.
std::string programModule();

} // namespace throwsite
