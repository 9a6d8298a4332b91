// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "faultyforms.h"

#include <exception>

namespace faults {

void failLayout()
{
    throw LayoutError(layoutMessage);
}

void failWithCode()
{
    throw Code{codeValue};
}

void failWithMadeException()
{
    std::rethrow_exception(std::make_exception_ptr(LayoutError(layoutMessage)));
}

render::TimeOfDay stoppedClock()
{
    throw std::runtime_error(clockMessage);
}

render::TimeOfDay clockThrowingCode()
{
    throw Code{codeValue};
}

} // namespace faults
