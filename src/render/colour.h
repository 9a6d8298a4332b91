// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

namespace render {

// 0x00BBGGRR: red in the low byte. A value whose top byte is not 0 names a
// system colour, such as the button face, which the window resolves.
using Colour = std::uint32_t;

} // namespace render
