#pragma once

#include <cstdint>
#include <string>
#include <typeinfo>

// Where exceptions are thrown. Every throw that goes through the C++ runtime's
// throw entry point from this program or a library it loads is noted, with the
// address of the instruction that threw; a handler can then ask where the
// exception it is handling came from.
namespace throwsite {

struct Site {
    bool known = false;
    std::string module;        // the file name of the module holding the throw, without its directory
    std::uintptr_t offset = 0; // the throwing instruction's address within that module
};

// Where the exception being handled was thrown: call inside a catch handler.
// `object` is the exception object where the handler can tell it (the most
// derived object of a polymorphic exception), otherwise nullptr, and the type
// alone decides. Unknown when no noted throw matches, e.g. a rethrow or a throw
// from inside the runtime itself.
Site ofCurrentException(const void* object);

// The file name of the program's executable, without its directory.
std::string programModule();

} // namespace throwsite
