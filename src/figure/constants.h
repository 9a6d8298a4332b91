// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

// The numbers that define the hidden emblem and the picture it is hidden in.
//
// The emblem lives in the figure plane: u to the right, v upwards. Its outline
// is made of straight edges of slope +-sqrt3 and of arcs of three circles of
// equal radius. An edge is always written as the slope term minus one of the
// stored offsets A..E, e.g. v = sqrt3*u - E, which is v = sqrt3*u + 150.
//
// These are the drawing's working values: int_const() rewrites every one of
// them at the start of each drawing and nothing else writes them.

namespace figure {

inline constexpr int pictureWidth = 800;
inline constexpr int pictureHeight = 600;

inline double sqrt3 = 0.0;

// The edges' offsets.
inline double A = 0.0, B = 0.0, C = 0.0, D = 0.0, E = 0.0;

// Squared radius of each of the three circles.
inline double R2 = 0.0;

// Centres of the second and third circles; the first is at (P0u, P0v).
inline constexpr double P0u = -8.5;
inline constexpr double P0v = 30.0;
inline double P1u = 0.0, P1v = 0.0;
inline double P2u = 0.0, P2v = 0.0;

// Two ordinates at which the emblem's outline changes: the lower limits of
// bands 1 and 8 of the depth function. Points at these heights, turned by a
// third of a turn, give the limits of bands 2, 4, 6 and 7.
inline constexpr double armTipV = 61.0;
inline constexpr double lowerTipV = -39.0;

// Lower limits of bands 2, 4, 6 and 7 of the depth function.
inline double T2 = 0.0, T4 = 0.0, T6 = 0.0, T7 = 0.0;

// Picture size in pixels.
inline int width = 0, height = 0;

void int_const();

} // namespace figure
