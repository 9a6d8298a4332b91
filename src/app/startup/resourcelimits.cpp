// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/resourcelimits.h"

#include "app/startup/fatalline.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace resourcelimits {

namespace {

constexpr rlim_t kibibyte = 1024;
// glibc's thread stack where RLIMIT_STACK is unlimited.
constexpr std::size_t unlimitedStackThreadStack = std::size_t{2} << 20;
// Above this many, counting the descriptors already open costs more than it
// tells: nothing starts a program with a thousand of them.
constexpr rlim_t countedDescriptors = 1024;

std::optional<rlimit> limitOf(int resource)
{
    rlimit limit{};
    if (::getrlimit(resource, &limit) != 0)
        return std::nullopt;
    return limit;
}

// A descriptor takes the lowest free number, and fails where that number
// reaches the limit. Those the program was started with count wherever they
// are, since a raised limit reaches them.
rlim_t openDescriptors()
{
    rlim_t open = 0;
    for (rlim_t fd = 0; fd < countedDescriptors; ++fd) {
        if (::fcntl(int(fd), F_GETFD) != -1)
            ++open;
    }
    return open;
}

// What the process holds now, in bytes, as the address-space limit counts it
// (all its mappings) and as the data limit does (its writable private ones):
// the size and data fields of /proc/self/statm, in pages.
struct Held {
    rlim_t addressSpace = 0;
    rlim_t data = 0;
};
Held held()
{
    Held now;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return now;
    // Pages: size, resident, shared, text, library, data.
    char line[256] = {};
    const bool read = std::fgets(line, sizeof line, statm) != nullptr;
    (void)std::fclose(statm); // read only: nothing to lose
    if (!read)
        return now;
    unsigned long pages[6] = {};
    const char* at = line;
    for (unsigned long& field : pages) {
        char* end = nullptr;
        errno = 0;
        field = std::strtoul(at, &end, 10);
        if (end == at || errno != 0)
            return now;
        at = end;
    }
    const auto page = rlim_t(::sysconf(_SC_PAGESIZE));
    now.addressSpace = pages[0] * page;
    now.data = pages[5] * page;
    return now;
}

bool raise(int resource, rlimit limit, rlim_t needed)
{
    const rlim_t raised = raisedSoftLimit(limit.rlim_cur, limit.rlim_max, needed);
    if (raised == limit.rlim_cur)
        return false;
    limit.rlim_cur = raised;
    return ::setrlimit(resource, &limit) == 0;
}

} // namespace

rlim_t raisedSoftLimit(rlim_t soft, rlim_t hard, rlim_t needed)
{
    if (soft == RLIM_INFINITY || soft >= needed)
        return soft;
    return hard == RLIM_INFINITY ? needed : std::max(soft, std::min(hard, needed));
}

void raiseWhereAllowed()
{
    if (const auto files = limitOf(RLIMIT_NOFILE); files && files->rlim_cur < countedDescriptors)
        raise(RLIMIT_NOFILE, *files, openDescriptors() + startUpFiles);
    if (const auto stack = limitOf(RLIMIT_STACK); stack && raise(RLIMIT_STACK, *stack, startUpStack)) {
        // The C library sized new threads' stacks by the limit the process
        // started with; the main thread's grows to the new limit by itself.
        pthread_attr_t attributes;
        if (::pthread_getattr_default_np(&attributes) == 0) {
            ::pthread_attr_setstacksize(&attributes, startUpStack);
            ::pthread_setattr_default_np(&attributes);
            ::pthread_attr_destroy(&attributes);
        }
    }
    const auto addressSpace = limitOf(RLIMIT_AS);
    const auto data = limitOf(RLIMIT_DATA);
    if ((addressSpace && addressSpace->rlim_cur != RLIM_INFINITY) || (data && data->rlim_cur != RLIM_INFINITY)) {
        const Held now = held();
        if (addressSpace)
            raise(RLIMIT_AS, *addressSpace, now.addressSpace + startUpMemory());
        if (data)
            raise(RLIMIT_DATA, *data, now.data + startUpMemory());
    }
    if (const auto processes = limitOf(RLIMIT_NPROC))
        raise(RLIMIT_NPROC, *processes, processes->rlim_max);
}

std::size_t threadStack()
{
    const auto stack = limitOf(RLIMIT_STACK);
    if (!stack || stack->rlim_cur == RLIM_INFINITY)
        return unlimitedStackThreadStack;
    return std::size_t(stack->rlim_cur);
}

std::size_t startUpMemory()
{
    return startUpAddressSpace + qtThreads * threadStack();
}

bool isLimited(int resource)
{
    const auto limit = limitOf(resource);
    return limit && limit->rlim_cur != RLIM_INFINITY;
}

std::optional<QByteArray> shortfall()
{
    const auto files = limitOf(RLIMIT_NOFILE);
    const auto stack = limitOf(RLIMIT_STACK);
    const rlim_t fileLimit = files ? files->rlim_cur : RLIM_INFINITY;
    return shortfall(fileLimit, fileLimit < countedDescriptors ? openDescriptors() : 0,
                     stack ? stack->rlim_cur : RLIM_INFINITY);
}

std::optional<QByteArray> shortfall(rlim_t fileLimit, rlim_t openFiles, rlim_t stackLimit,
                                    const texts::Terminal& terminal)
{
    if (const rlim_t needed = openFiles + startUpFiles; fileLimit < needed)
        return fatalline::fileLimit(fileLimit, needed, terminal);
    if (stackLimit < startUpStack)
        return fatalline::stackLimit(stackLimit / kibibyte, startUpStack / kibibyte, terminal);
    return std::nullopt;
}

std::optional<rlim_t> processLimit()
{
    const auto processes = limitOf(RLIMIT_NPROC);
    if (::geteuid() == 0 || !processes || processes->rlim_cur == RLIM_INFINITY)
        return std::nullopt;
    return processes->rlim_cur;
}

} // namespace resourcelimits
