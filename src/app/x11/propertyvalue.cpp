// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/x11/propertyvalue.h"

#include <algorithm>
#include <cstring>

namespace x11 {

namespace {

constexpr std::uint64_t bitsPerByte = 8;
constexpr std::uint64_t bytesPerUnit = 4; // the unit of a reply's length

const char* valueOf(const xcb_get_property_reply_t& reply)
{
    return reinterpret_cast<const char*>(&reply + 1);
}

// The bytes of the value the reply tells, no more than it carries.
std::size_t valueBytes(const xcb_get_property_reply_t& reply)
{
    const std::uint64_t told = std::uint64_t{reply.value_len} * (reply.format / bitsPerByte);
    const std::uint64_t carried = std::uint64_t{reply.length} * bytesPerUnit;
    return std::size_t(std::min(told, carried));
}

} // namespace

QByteArray stringValue(const xcb_get_property_reply_t& reply)
{
    if (reply.format != 8 || reply.type != XCB_ATOM_STRING)
        return {};
    return QByteArray(valueOf(reply), qsizetype(valueBytes(reply)));
}

std::vector<std::uint32_t> values(const xcb_get_property_reply_t& reply, xcb_atom_t type, std::uint32_t maxValues)
{
    if (reply.format != 32 || reply.type != type)
        return {};
    const std::size_t count = std::min<std::size_t>(valueBytes(reply) / sizeof(std::uint32_t), maxValues);
    std::vector<std::uint32_t> result(count);
    if (count > 0)
        std::memcpy(result.data(), valueOf(reply), count * sizeof(std::uint32_t));
    return result;
}

} // namespace x11
