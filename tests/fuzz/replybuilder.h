// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "fuzzing.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <xcb/xcb.h>

// A GetProperty reply made up from libFuzzer's bytes, as xcb would hand it
// over: the reply and the 4 × length bytes after it, and not one byte more,
// so that AddressSanitizer sees any read past them. Its type, format and
// value length are anything the input says, whatever the bytes it carries.
class MadeUpReply {
public:
    explicit MadeUpReply(fuzzing::Input& input)
    {
        xcb_get_property_reply_t header{};
        header.response_type = XCB_GET_PROPERTY;
        header.type = input.take<std::uint32_t>() % typeSpread;
        header.format = input.take<std::uint8_t>();
        header.value_len = input.take<std::uint32_t>();
        header.bytes_after = input.take<std::uint32_t>();
        m_value = input.rest();
        const std::size_t units = (m_value.size() + unit - 1) / unit;
        header.length = std::uint32_t(units);
        m_storage.resize(sizeof header / unit + units);
        std::memcpy(m_storage.data(), &header, sizeof header);
        if (!m_value.empty())
            std::memcpy(reinterpret_cast<char*>(m_storage.data()) + sizeof header, m_value.data(), m_value.size());
    }

    const xcb_get_property_reply_t& reply() const
    {
        return *reinterpret_cast<const xcb_get_property_reply_t*>(m_storage.data());
    }

    // The bytes after the reply, its padding to whole units included.
    std::string carried() const
    {
        return {reinterpret_cast<const char*>(m_storage.data()) + sizeof(xcb_get_property_reply_t),
                reply().length * std::size_t{unit}};
    }

    // The type's values are kept small, so that they meet the atoms the
    // program asks for (STRING is 31, CARDINAL 6, ATOM 4) often.
    static constexpr std::uint32_t typeSpread = 64;

private:
    static constexpr std::size_t unit = 4;
    std::vector<std::uint32_t> m_storage;
    std::string m_value;
};
