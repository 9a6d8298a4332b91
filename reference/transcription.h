// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "render/surface.h"

#include <cmath>
#include <cstdint>

// The drawing exactly as the algorithm states it, step by step, with its own
// figure constants, depth function, random source and palette: the reference
// that render::draw must match. It shares nothing with the program but the
// window it draws into, and keeps its working values to itself.
namespace transcription {

// Figure constants.
inline double sqrt3;
inline double A, B, C, D, E;
inline double R2;
inline double P1u, P1v, P2u, P2v;
inline double T2, T4, T6, T7;
inline int width, height;

// Drawing.
inline double scale, cx, cy;
inline double rowY;
inline double linkX;
inline double depth;
inline std::uint8_t done[801];

// Random source.
inline std::uint32_t seed = 0;

inline const render::Colour palette[9] = {
    0,          // unused
    0x00000000, // black
    0x00FF0000, // blue
    0x00008000, // green
    0x00800000, // navy
    0x00800080, // purple
    0x000000FF, // red
    0x00FFFFFF, // white
    0x0000FFFF, // yellow
};

inline void int_const()
{
    sqrt3 = std::sqrt(3.0);
    A = 122;
    B = 70;
    C = -28;
    D = -78;
    E = -150;
    R2 = 992.25;
    const double theta = 2.0943951023931957;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const auto rot_x = [&](double p, double q) { return c * p + s * q; };
    const auto rot_y = [&](double p, double q) { return -s * p + c * q; };
    P1u = rot_x(-8.5, 30);
    P1v = rot_y(-8.5, 30);
    P2u = rot_x(-8.5, -30);
    P2v = rot_y(8.5, 30);
    T6 = rot_y(-8.5, 61);
    T7 = rot_y(8.5, 61);
    T2 = rot_y(-P1u, -39);
    T4 = rot_y(P1u, -39);
    width = 800;
    height = 600;
}

inline double k1(double v)
{
    return std::sqrt(R2 - (v - P1v) * (v - P1v));
}

inline double k2(double v)
{
    return std::sqrt(R2 - (v - P2v) * (v - P2v));
}

inline void GetG(double x, double y, double& out)
{
    const double u = 100 * x;
    const double v = -110 * y;
    const double s3 = sqrt3;
    int band;
    if (v >= 61)
        band = 1;
    else if (v >= T2)
        band = 2;
    else if (v >= 35)
        band = 3;
    else if (v >= T4)
        band = 4;
    else if (v >= -14)
        band = 5;
    else if (v >= T6)
        band = 6;
    else if (v >= T7)
        band = 7;
    else if (v >= -39)
        band = 8;
    else if (v >= -75)
        band = 9;
    else
        band = 10;

    out = 0.0;
    switch (band) {
    case 2:
        if (v < s3 * u - E && u + 8.5 < std::sqrt(R2 - (v - 30) * (v - 30)))
            out = 0.3;
        break;
    case 3:
        if (v < s3 * u - E && v < -s3 * u - D)
            out = 0.3;
        if (v < s3 * u - B && v < -s3 * u - E)
            out = 0.3;
        break;
    case 4:
        if (-s3 * std::abs(u) - C < v && v < -s3 * std::abs(u) - D)
            out = 0.3;
        if (s3 * u - A < v && v < s3 * u - B && v < -s3 * u - E)
            out = 0.3;
        break;
    case 5:
        if (u - P2u > -k2(v) && v > s3 * u - C)
            out = 0.3;
        if (v > -s3 * u - C && v > s3 * u - A)
            out = 0.3;
        break;
    case 6:
        if (u - P2u > -k2(v) && v > s3 * u - A)
            out = 0.3;
        break;
    case 7:
        if (u - P2u > -k2(v) && u - P1u < k1(v))
            out = 0.3;
        break;
    case 8:
        if (v > -s3 * u - A && u - P1u < k1(v))
            out = 0.3;
        break;
    case 9:
        if (-s3 * u - A < v && v < -s3 * u - B)
            out = 0.3;
        break;
    default:
        break;
    }
}

template <class Time>
void randomize(const Time& time)
{
    seed = static_cast<std::uint32_t>(((time.hour * 60 + time.minute) * 60 + time.second) * 1000 + time.millisecond);
}

inline std::uint32_t random(std::uint32_t n)
{
    seed = seed * 134775813u + 1u;
    return static_cast<std::uint32_t>((std::uint64_t{seed} * n) >> 32);
}

template <render::Surface Window, class Clock>
void draw(Window& window, Clock clock)
{
    int_const();
    randomize(clock());
    scale = height / 2.0;
    cy = height / 2.0;
    cx = width / 2.0;
    for (int i = 0; i <= height - 1; ++i) {
        rowY = (i - cy) / scale;
        for (int c = 0; c <= width; ++c)
            done[c] = 0;
        for (int c = 0; c <= width; ++c) {
            if (done[c] != 0)
                continue;
            const std::uint32_t k = random(8) + 1;
            window.setColor(k);
            int g = c;
            while (g <= width) {
                done[g] = 1;
                window.setPixel(g, i, palette[window.color()]);
                linkX = (g - cx) / scale + 0.2;
                GetG(linkX, rowY, depth);
                linkX = linkX + 0.2 - 0.1 * depth;
                g = static_cast<int>(std::nearbyint(linkX * scale + cx));
            }
        }
    }
}

} // namespace transcription
