// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/errors/throwsite.h"

#include <cxxabi.h>
#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <mutex>

namespace throwsite {

namespace {

using Destructor = void (*)(void*);

struct Throw {
    const void* object = nullptr; // none: a free entry
    const void* instruction = nullptr;
    Destructor destroy = nullptr; // the exception's own
};

// The exceptions alive now that were noted as they were thrown. An entry is
// freed as its exception is destroyed, so an address never names a stale one.
// Only so many can be alive at once (they pile up only where exception_ptrs
// are kept); beyond that, throws go unnoted.
constexpr std::size_t capacity = 64;
std::array<Throw, capacity> alive;
std::mutex aliveMutex;

// Handed to libstdc++ as the exception's destructor: frees its entry, then destroys it.
void forget(void* object)
{
    Destructor destroy = nullptr;
    {
        const std::lock_guard lock(aliveMutex);
        for (Throw& entry : alive) {
            if (entry.object == object) {
                destroy = entry.destroy;
                entry = {};
                break;
            }
        }
    }
    if (destroy)
        destroy(object);
}

// Notes a throw; the destructor to hand to libstdc++.
Destructor note(const void* object, const void* instruction, Destructor destroy)
{
    const std::lock_guard lock(aliveMutex);
    for (Throw& entry : alive) {
        if (!entry.object) {
            entry = {object, instruction, destroy};
            return &forget;
        }
    }
    return destroy;
}

// The address of the exception object being handled, of whatever type.
const void* currentExceptionObject()
{
    // An exception_ptr holds nothing but the address of the exception object,
    // in libstdc++ (and in libc++ too).
    const std::exception_ptr current = std::current_exception();
    static_assert(sizeof(current) == sizeof(void*));
    const void* object = nullptr;
    std::memcpy(&object, static_cast<const void*>(&current), sizeof(object));
    return object;
}

std::string baseName(const char* path)
{
    std::string name(path ? path : "");
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string moduleName(const Dl_info& info)
{
    // For the program itself the loader hands back the name it was started by.
    if (!info.dli_fname || std::strcmp(info.dli_fname, program_invocation_name) == 0)
        return programModule();
    return baseName(info.dli_fname);
}

using ThrowFunction = void (*)(void*, std::type_info*, Destructor);

ThrowFunction runtimeThrow()
{
    static const auto function = reinterpret_cast<ThrowFunction>(dlsym(RTLD_NEXT, "__cxa_throw"));
    if (!function) {
        (void)std::fputs("libstdc++'s __cxa_throw cannot be found\n", stderr); // about to abort all the same
        std::abort();
    }
    return function;
}

} // namespace

Site ofCurrentException()
{
    const void* object = currentExceptionObject();
    if (!object)
        return {};
    const void* instruction = nullptr;
    {
        const std::lock_guard lock(aliveMutex);
        for (const Throw& entry : alive) {
            if (entry.object == object)
                instruction = entry.instruction;
        }
    }
    Dl_info info{};
    if (!instruction || dladdr(instruction, &info) == 0 || !info.dli_fbase)
        return {};
    Site site;
    site.known = true;
    site.module = moduleName(info);
    site.offset = reinterpret_cast<std::uintptr_t>(instruction) - reinterpret_cast<std::uintptr_t>(info.dli_fbase);
    return site;
}

std::string programModule()
{
    std::array<char, 4096> path{};
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    return length > 0 ? baseName(path.data()) : std::string();
}

} // namespace throwsite

// Present when AddressSanitizer is: it forgets the stack frames that unwinding
// is about to leave. Its own stand-in for the throw entry point, which calls it,
// may be displaced by the one below where its runtime is linked statically.
// NOLINTNEXTLINE(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp): the sanitizer's name for it
extern "C" void __asan_handle_no_return() __attribute__((weak));

// Takes the place of libstdc++'s throw entry point, __cxa_throw, for the whole process:
// notes the throw, then throws through libstdc++'s own (or through whatever
// stands in front of it, such as a sanitizer's).
extern "C" void __cxa_throw(void* object, std::type_info* type, void (*destroy)(void*))
{
    // The return address is one past the call; one byte back is inside it, in the throwing function.
    const auto* returnAddress = static_cast<const char*>(__builtin_return_address(0));
    const auto handOn = throwsite::note(object, returnAddress - 1, destroy);
    if (__asan_handle_no_return)
        __asan_handle_no_return();
    throwsite::runtimeThrow()(object, type, handOn);
    __builtin_unreachable();
}
