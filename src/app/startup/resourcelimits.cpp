// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/startup/resourcelimits.h"

#include "app/startup/lastwords.h"

#include <algorithm>

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace resourcelimits {

namespace {

constexpr rlim_t kibibyte = 1024;
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
rlim_t filesNeeded()
{
    rlim_t open = 0;
    for (rlim_t fd = 0; fd < countedDescriptors; ++fd) {
        if (::fcntl(int(fd), F_GETFD) != -1)
            ++open;
    }
    return open + startUpFiles;
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
        raise(RLIMIT_NOFILE, *files, filesNeeded());
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
    if (const auto processes = limitOf(RLIMIT_NPROC))
        raise(RLIMIT_NPROC, *processes, processes->rlim_max);
}

std::optional<QByteArray> shortfall()
{
    if (const auto files = limitOf(RLIMIT_NOFILE); files && files->rlim_cur < countedDescriptors) {
        if (const rlim_t needed = filesNeeded(); files->rlim_cur < needed)
            return lastwords::fileLimit(files->rlim_cur, needed);
    }
    if (const auto stack = limitOf(RLIMIT_STACK); stack && stack->rlim_cur < startUpStack)
        return lastwords::stackLimit(stack->rlim_cur / kibibyte, startUpStack / kibibyte);
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
