#include "throwsite.h"

#include <cxxabi.h>
#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <cstdlib>

namespace throwsite {

namespace {

struct Throw {
    const void* object = nullptr;
    const std::type_info* type = nullptr;
    const void* instruction = nullptr;
};

// The latest throws on this thread, newest at `next - 1`. An exception that is
// caught and handled while another is in flight takes one entry.
constexpr std::size_t remembered = 8;
thread_local std::array<Throw, remembered> throws{};
thread_local std::size_t next = 0;

void note(const void* object, const std::type_info* type, const void* instruction) noexcept
{
    throws[next % remembered] = {object, type, instruction};
    ++next;
}

bool sameType(const std::type_info* a, const std::type_info* b)
{
    return a && b && *a == *b;
}

std::string baseName(const char* path)
{
    std::string name(path ? path : "");
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string executableName()
{
    std::array<char, 4096> path{};
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    return length > 0 ? baseName(path.data()) : std::string();
}

using ThrowFunction = void (*)(void*, std::type_info*, void (*)(void*));

ThrowFunction runtimeThrow()
{
    static const auto function = reinterpret_cast<ThrowFunction>(dlsym(RTLD_NEXT, "__cxa_throw"));
    if (!function) {
        std::fputs("the C++ runtime's __cxa_throw cannot be found\n", stderr);
        std::abort();
    }
    return function;
}

std::string moduleOf(const void* address)
{
    Dl_info info{};
    if (dladdr(address, &info) == 0 || !info.dli_fname)
        return {};
    // For the program itself the loader hands back the name it was started by.
    if (std::strcmp(info.dli_fname, program_invocation_name) == 0)
        return executableName();
    return baseName(info.dli_fname);
}

} // namespace

Site ofCurrentException(const void* object)
{
    const std::type_info* type = abi::__cxa_current_exception_type();
    for (std::size_t age = 0; age < remembered && age < next; ++age) {
        const Throw& candidate = throws[(next - 1 - age) % remembered];
        if (!sameType(candidate.type, type) || (object && candidate.object != object))
            continue;
        Dl_info info{};
        if (dladdr(candidate.instruction, &info) == 0 || !info.dli_fbase)
            return {};
        Site site;
        site.known = true;
        site.module = moduleOf(candidate.instruction);
        site.offset = reinterpret_cast<std::uintptr_t>(candidate.instruction)
            - reinterpret_cast<std::uintptr_t>(info.dli_fbase);
        return site;
    }
    return {};
}

std::string programModule()
{
    return executableName();
}

} // namespace throwsite

// Takes the place of the C++ runtime's throw entry point for the whole process:
// notes the throw, then throws through the runtime's own (or through whatever
// stands in front of it, such as a sanitizer's).
extern "C" void __cxa_throw(void* object, std::type_info* type, void (*destroy)(void*))
{
    // The return address is one past the call; one byte back is inside it, in the throwing function.
    const auto* returnAddress = static_cast<const char*>(__builtin_return_address(0));
    throwsite::note(object, type, returnAddress - 1);
    throwsite::runtimeThrow()(object, type, destroy);
    __builtin_unreachable();
}
