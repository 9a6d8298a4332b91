// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "app/x11/framemargins.h"
#include "app/x11/propertyvalue.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// What the program reads of properties that the window manager or another
// client sets: GetProperty replies as xcb hands them over, of any type,
// format and length, and the frame's margins they give.
namespace {

// A reply of that type, format and value length carrying `bytes`, padded to
// whole units, as the X server sends it.
std::vector<std::uint32_t> reply(xcb_atom_t type, std::uint8_t format, std::uint32_t valueLength,
                                 const std::string& bytes)
{
    xcb_get_property_reply_t header{};
    header.response_type = XCB_GET_PROPERTY;
    header.type = type;
    header.format = format;
    header.value_len = valueLength;
    header.length = std::uint32_t((bytes.size() + 3) / 4);
    std::vector<std::uint32_t> units(sizeof header / 4 + header.length);
    std::memcpy(units.data(), &header, sizeof header);
    std::memcpy(reinterpret_cast<char*>(units.data()) + sizeof header, bytes.data(), bytes.size());
    return units;
}

const xcb_get_property_reply_t& asReply(const std::vector<std::uint32_t>& units)
{
    return *reinterpret_cast<const xcb_get_property_reply_t*>(units.data());
}

std::string words(std::initializer_list<std::uint32_t> values)
{
    std::string bytes(values.size() * 4, '\0');
    std::memcpy(bytes.data(), std::data(values), bytes.size());
    return bytes;
}

struct TextRow : tablerows::Named {
    xcb_atom_t type;
    std::uint8_t format;
    std::uint32_t valueLength;
    std::string carried;
    std::string text;
};

class Text : public testing::TestWithParam<TextRow> {};

TEST_P(Text, IsEightBitStringAsFarAsTheReplyCarriesIt)
{
    const TextRow& row = GetParam();
    const auto units = reply(row.type, row.format, row.valueLength, row.carried);
    EXPECT_EQ(x11::stringValue(asReply(units)).toStdString(), row.text);
}

INSTANTIATE_TEST_SUITE_P(Rows, Text,
                         testing::Values(TextRow{"String", XCB_ATOM_STRING, 8, 10, "stereogram", "stereogram"},
                                         TextRow{"WithItsNulsAndNotItsPadding", XCB_ATOM_STRING, 8, 6,
                                                 std::string("ab\0cd\0", 6), std::string("ab\0cd\0", 6)},
                                         TextRow{"AnotherType", XCB_ATOM_ATOM, 8, 3, "abc", ""},
                                         TextRow{"SixteenBit", XCB_ATOM_STRING, 16, 2, "abcd", ""},
                                         TextRow{"NoProperty", XCB_ATOM_NONE, 0, 0, "", ""},
                                         TextRow{"LongerThanItCarries", XCB_ATOM_STRING, 8, 1000, "abcdef",
                                                 std::string("abcdef\0\0", 8)}),
                         tablerows::byName);

struct ValuesRow : tablerows::Named {
    xcb_atom_t type;
    std::uint8_t format;
    std::uint32_t valueLength;
    std::string carried;
    std::uint32_t asked;
    std::vector<std::uint32_t> values;
};

class Values : public testing::TestWithParam<ValuesRow> {};

TEST_P(Values, AreThirtyTwoBitOfTheTypeAskedForAndNoMoreThanCarriedOrAsked)
{
    const ValuesRow& row = GetParam();
    const auto units = reply(row.type, row.format, row.valueLength, row.carried);
    EXPECT_EQ(x11::values(asReply(units), XCB_ATOM_CARDINAL, row.asked), row.values);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Values,
    testing::Values(ValuesRow{"FrameExtents", XCB_ATOM_CARDINAL, 32, 4, words({1, 1, 24, 4}), 4, {1, 1, 24, 4}},
                    ValuesRow{"NoMoreThanAsked", XCB_ATOM_CARDINAL, 32, 3, words({1, 2, 3}), 2, {1, 2}},
                    ValuesRow{"NoMoreThanCarried", XCB_ATOM_CARDINAL, 32, 1000, words({5, 6}), 4, {5, 6}},
                    ValuesRow{"NoMoreThanTold", XCB_ATOM_CARDINAL, 32, 1, words({5, 6}), 4, {5}},
                    ValuesRow{"AnotherType", XCB_ATOM_ATOM, 32, 4, words({1, 1, 24, 4}), 4, {}},
                    ValuesRow{"EightBit", XCB_ATOM_CARDINAL, 8, 16, words({1, 1, 24, 4}), 4, {}},
                    ValuesRow{"SixteenBit", XCB_ATOM_CARDINAL, 16, 8, words({1, 1, 24, 4}), 4, {}}),
    tablerows::byName);

struct MarginsRow : tablerows::Named {
    QRect frame;
    std::vector<std::uint32_t> ltrb;
    std::optional<QMargins> margins;
};

class Margins : public testing::TestWithParam<MarginsRow> {};

TEST_P(Margins, AreFourValuesThatLeaveAClientArea)
{
    const MarginsRow& row = GetParam();
    EXPECT_EQ(x11::marginsWithin(row.frame, row.ltrb), row.margins);
}

const QRect placed(192, 120, 873, 735);

INSTANTIATE_TEST_SUITE_P(
    Rows, Margins,
    testing::Values(MarginsRow{"LeftRightTopBottom", placed, {1, 2, 24, 4}, QMargins(1, 24, 2, 4)},
                    MarginsRow{"NoFrame", placed, {0, 0, 0, 0}, QMargins()},
                    MarginsRow{"OnePixelLeft", placed, {0, 872, 0, 734}, QMargins(0, 0, 872, 734)},
                    MarginsRow{"AsWideAsTheFrame", placed, {500, 373, 0, 0}, std::nullopt},
                    MarginsRow{"AsHighAsTheFrame", placed, {0, 0, 735, 0}, std::nullopt},
                    MarginsRow{"SoWideTheSumWraps", placed, {0xFFFFFFFF, 2, 0, 0}, std::nullopt},
                    MarginsRow{"ThreeValues", placed, {1, 1, 24}, std::nullopt},
                    MarginsRow{"FiveValues", placed, {1, 1, 24, 4, 0}, std::nullopt},
                    MarginsRow{"AFrameOfNoWidth", QRect(0, 0, 0, 10), {0, 0, 0, 0}, std::nullopt},
                    MarginsRow{"AFrameOfNegativeHeight", QRect(0, 0, 10, -5), {0, 0, 0, 0}, std::nullopt}),
    tablerows::byName);

} // namespace
