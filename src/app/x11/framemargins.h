// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include <QMargins>
#include <QRect>

#include <cstdint>
#include <optional>
#include <vector>

namespace x11 {

// The margins of a frame the window manager tells as `ltrb` (left, right,
// top, bottom, as _NET_FRAME_EXTENTS and reparentedFrame() give it) around a
// window whose frame is to cover `frame`; nothing unless it is four values
// that leave a client area of positive width and height inside `frame`.
std::optional<QMargins> marginsWithin(const QRect& frame, const std::vector<std::uint32_t>& ltrb);

} // namespace x11
