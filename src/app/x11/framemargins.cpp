// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/x11/framemargins.h"

namespace x11 {

namespace {

constexpr std::size_t sides = 4;

// Whether margins `a` and `b` leave room inside `outer`.
bool fits(std::uint32_t a, std::uint32_t b, int outer)
{
    return outer > 0 && std::uint64_t{a} + b < std::uint64_t(outer);
}

} // namespace

std::optional<QMargins> marginsWithin(const QRect& frame, const std::vector<std::uint32_t>& ltrb)
{
    if (ltrb.size() != sides)
        return std::nullopt;
    if (!fits(ltrb[0], ltrb[1], frame.width()) || !fits(ltrb[2], ltrb[3], frame.height()))
        return std::nullopt;
    return QMargins(int(ltrb[0]), int(ltrb[2]), int(ltrb[1]), int(ltrb[3]));
}

} // namespace x11
