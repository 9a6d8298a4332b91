#include "faultyforms.h"

namespace faults {

void failLayout()
{
    throw LayoutError(layoutMessage);
}

void failWithCode()
{
    throw Code{codeValue};
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
