// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdlib>
#include <memory>

namespace x11 {

// xcb's replies and errors are malloc'ed.
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

// An xcb reply or error, freed with the pointer.
template <class Reply>
using ReplyPointer = std::unique_ptr<Reply, FreeReply>;

} // namespace x11
