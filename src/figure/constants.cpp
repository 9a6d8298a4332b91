// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "constants.h"

#include <cmath>

namespace figure {

namespace {
constexpr double edgeOffsetA = 122.0;
constexpr double edgeOffsetB = 70.0;
constexpr double edgeOffsetC = -28.0;
constexpr double edgeOffsetD = -78.0;
constexpr double edgeOffsetE = -150.0;
constexpr double circleRadius = 31.5;

// 2*pi/3 as a double: the emblem's three arms are a third of a turn apart.
constexpr double thirdTurn = 2.0943951023931957;
} // namespace

void int_const()
{
    sqrt3 = std::sqrt(3.0);

    A = edgeOffsetA;
    B = edgeOffsetB;
    C = edgeOffsetC;
    D = edgeOffsetD;
    E = edgeOffsetE;
    R2 = circleRadius * circleRadius;

    const double c = std::cos(thirdTurn);
    const double s = std::sin(thirdTurn);
    // (p, q) turned clockwise by a third of a turn about the origin.
    const auto rot_x = [c, s](double p, double q) { return c * p + s * q; };
    const auto rot_y = [c, s](double p, double q) { return -s * p + c * q; };

    P1u = rot_x(P0u, P0v);
    P1v = rot_y(P0u, P0v);
    // The negated arguments turn the first centre the other way round.
    P2u = rot_x(P0u, -P0v);
    P2v = rot_y(-P0u, P0v);

    T6 = rot_y(P0u, armTipV);
    T7 = rot_y(-P0u, armTipV);
    T2 = rot_y(-P1u, lowerTipV);
    T4 = rot_y(P1u, lowerTipV);

    width = pictureWidth;
    height = pictureHeight;
}

} // namespace figure
