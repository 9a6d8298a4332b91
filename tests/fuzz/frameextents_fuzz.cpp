// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

// The frame a window manager tells: _NET_FRAME_EXTENTS as any client may set
// it (a GetProperty reply of any type, format and length, read as the
// program reads it), or four values of a reparenting frame, around a frame
// of any place and size. Margins come only from four values, exactly those,
// and always leave a client area of positive width and height.

#include "app/x11/framemargins.h"
#include "app/x11/propertyvalue.h"
#include "fuzzing.h"
#include "replybuilder.h"

#include <QRect>

namespace {

// The frame the program places, as the layout gives it.
const QRect placed(192, 120, 873, 735);

void check(const QRect& frame, const std::vector<std::uint32_t>& ltrb)
{
    const std::optional<QMargins> margins = x11::marginsWithin(frame, ltrb);
    const bool fits = ltrb.size() == 4 && frame.width() > 0 && frame.height() > 0
        && std::uint64_t{ltrb[0]} + ltrb[1] < std::uint64_t(frame.width())
        && std::uint64_t{ltrb[2]} + ltrb[3] < std::uint64_t(frame.height());
    fuzzing::require(margins.has_value() == fits, "margins exactly where four values leave a client area");
    if (!margins)
        return;
    fuzzing::require(margins->left() == int(ltrb[0]) && margins->right() == int(ltrb[1])
                         && margins->top() == int(ltrb[2]) && margins->bottom() == int(ltrb[3]),
                     "the margins are the values told: left, right, top, bottom");
    const QSize client = frame.size().shrunkBy(*margins);
    fuzzing::require(client.width() > 0 && client.height() > 0, "the client area has a positive size");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzzing::Input input(data, size);
    // A frame of any place and of any size X11 could give, and of none.
    const auto x = input.take<std::int16_t>();
    const auto y = input.take<std::int16_t>();
    const auto width = input.take<std::int16_t>();
    const auto height = input.take<std::int16_t>();
    const QRect frame(x, y, width, height);

    const MadeUpReply madeUp(input);
    constexpr std::uint32_t asked = 4;
    const std::vector<std::uint32_t> told = x11::values(madeUp.reply(), XCB_ATOM_CARDINAL, asked);
    check(placed, told);
    check(frame, told);

    // The same values as a reparenting frame's: any number of them.
    const std::string carried = madeUp.carried();
    std::vector<std::uint32_t> any(carried.size() / sizeof(std::uint32_t));
    if (!any.empty())
        std::memcpy(any.data(), carried.data(), any.size() * sizeof(std::uint32_t));
    check(frame, any);
    return 0;
}
