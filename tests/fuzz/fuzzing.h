// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// What every fuzz target shares: the rule it holds the code to, and the
// input libFuzzer makes, read as the target needs it.
namespace fuzzing {

// A rule the code broke: says which, and ends as a crash, which libFuzzer
// reports with the input that broke it.
inline void require(bool holds, const char* rule)
{
    if (holds)
        return;
    std::fprintf(stderr, "broken rule: %s\n", rule);
    std::abort();
}

// libFuzzer's bytes, taken from the front: integers, and strings that end at
// a NUL byte or with the input.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {}

    bool empty() const { return m_size == 0; }

    // The next bytes as an unsigned integer, little-endian; zeros where the
    // input has ended.
    template <class Integer>
    Integer take()
    {
        Integer value{};
        const std::size_t n = sizeof value < m_size ? sizeof value : m_size;
        if (n > 0)
            std::memcpy(&value, m_data, n);
        m_data += n;
        m_size -= n;
        return value;
    }

    // Up to the next NUL byte, which is passed over.
    std::string field()
    {
        const void* nul = m_size > 0 ? std::memchr(m_data, 0, m_size) : nullptr;
        const std::size_t n = nul ? std::size_t(static_cast<const std::uint8_t*>(nul) - m_data) : m_size;
        std::string value(reinterpret_cast<const char*>(m_data), n);
        const std::size_t taken = nul ? n + 1 : n;
        m_data += taken;
        m_size -= taken;
        return value;
    }

    // Everything left.
    std::string rest()
    {
        std::string value(reinterpret_cast<const char*>(m_data), m_size);
        m_data += m_size;
        m_size = 0;
        return value;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

} // namespace fuzzing
