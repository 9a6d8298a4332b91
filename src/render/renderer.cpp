// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "renderer.h"

namespace render {

RandomSource& randomSource()
{
    static RandomSource source;
    return source;
}

} // namespace render
