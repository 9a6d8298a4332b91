// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// Counts every heap allocation in this process, so it runs as a test program of its own.
#include "render/memorysurface.h"
#include "render/renderer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

// These replace the global operators, so what operator new handed out is
// malloc's to free; GCC cannot tell once they are inlined into the library's
// code and warns of a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace {

TEST(Renderer, DrawingAllocatesNothing)
{
    render::MemorySurface window(800, 600, 0);
    const long before = allocations.load();
    render::draw(window, [] { return render::TimeOfDay{12, 34, 56, 789}; });
    EXPECT_EQ(allocations.load() - before, 0);

    // The counter does see allocations.
    auto* probe = new int(1);
    EXPECT_EQ(allocations.load() - before, 1);
    delete probe;
}

} // namespace
