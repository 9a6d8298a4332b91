// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "tablerows.h"

#include <gtest/gtest.h>

#include <concepts>
#include <ostream>
#include <string>

// Tests written as tables: a row is a struct derived from Named, and its name
// is all GoogleTest shows of it, in the test's name and where a failed check
// prints the row.
namespace tablerows {

struct Named {
    const char* name;
};

// Found through the row's base class. The constraint makes it win over
// GoogleTest's own PrintTo, which would print the row's bytes.
template <class Row>
requires std::derived_from<Row, Named>
void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

// Names each row's test after the row, for INSTANTIATE_TEST_SUITE_P.
inline constexpr auto byName = [](const auto& info) { return std::string(info.param.name); };

} // namespace tablerows
