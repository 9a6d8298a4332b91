// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>

#include <cstdint>
#include <vector>

#include <xcb/xcb.h>

// What a GetProperty reply says a window's property holds. The window
// manager or any other client may have set it to values of any format,
// length and type: only what the reply carries is read.
namespace x11 {

// `reply` is as xcb hands it over, its 4 × reply.length bytes following it.
// Its value is reply.value_len units of reply.format bits, as far as those
// bytes reach.

// The value where it is 8-bit text of type STRING; empty otherwise.
QByteArray stringValue(const xcb_get_property_reply_t& reply);

// At most `maxValues` of its values where they are 32-bit and of type `type`;
// empty otherwise.
std::vector<std::uint32_t> values(const xcb_get_property_reply_t& reply, xcb_atom_t type, std::uint32_t maxValues);

} // namespace x11
