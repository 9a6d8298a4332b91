#include "renderer.h"

namespace render {

RandomSource& randomSource()
{
    static RandomSource source;
    return source;
}

} // namespace render
