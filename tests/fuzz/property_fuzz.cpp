// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// A window's property as the window manager or any other client may have set
// it: a GetProperty reply of any type, format and value length. Text is read
// only where it is 8-bit STRING, values only where they are 32-bit of the
// type asked for; either only as far as the reply carries bytes, and values
// no more than asked for.

#include "app/x11/propertyvalue.h"
#include "fuzzing.h"
#include "replybuilder.h"

#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzing::Input input(data, size);
    const xcb_atom_t askedType = input.take<std::uint8_t>() % MadeUpReply::typeSpread;
    const std::uint32_t maxValues = input.take<std::uint16_t>();
    const MadeUpReply madeUp(input);
    const xcb_get_property_reply_t& reply = madeUp.reply();
    const std::string carried = madeUp.carried();

    const QByteArray text = x11::stringValue(reply);
    if (reply.format == 8 && reply.type == XCB_ATOM_STRING) {
        const std::size_t told = std::min<std::size_t>(reply.value_len, carried.size());
        fuzzing::require(text.toStdString() == carried.substr(0, told), "text is the bytes told, as far as carried");
    } else {
        fuzzing::require(text.isEmpty(), "no text but 8-bit STRING");
    }

    const std::vector<std::uint32_t> values = x11::values(reply, askedType, maxValues);
    if (reply.format == 32 && reply.type == askedType) {
        const std::size_t told =
            std::min<std::size_t>({reply.value_len, carried.size() / sizeof(std::uint32_t), maxValues});
        fuzzing::require(values.size() == told, "as many values as told, carried and asked for");
        for (std::size_t i = 0; i < values.size(); ++i) {
            std::uint32_t value = 0;
            std::memcpy(&value, carried.data() + i * sizeof value, sizeof value);
            fuzzing::require(values[i] == value, "each value as carried");
        }
    } else {
        fuzzing::require(values.empty(), "no values but 32-bit ones of the type asked for");
    }
    return 0;
}
