// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#pragma once

#include "constants.h"

#include <cmath>
#include <limits>

// How far the hidden emblem stands out at a point: emblemDepth inside it,
// flatDepth outside. int_const() must have run before any of this is used.

namespace figure {

inline constexpr double flatDepth = 0.0;
inline constexpr double emblemDepth = 0.3;

// Normalised picture coordinates (y grows downwards) to the figure plane
// (v grows upwards).
inline constexpr double uPerX = 100.0;
inline constexpr double vPerY = -110.0;
inline double toU(double x)
{
    return uPerX * x;
}
inline double toV(double y)
{
    return vPerY * y;
}

// The depth along one line of constant v. The line fixes the band and the
// circle terms, so a caller that walks a whole picture row works them out once
// instead of once per point; the answer is the same, bit for bit.
class DepthRow {
public:
    explicit DepthRow(double v);

    // 1..10, from the top of the emblem down; a limit belongs to the band it bounds from below.
    int band() const { return m_band; }
    // True where no u lies in the emblem.
    bool flat() const { return m_band == 1 || m_band == 10; }

    double at(double u) const { return contains(u) ? emblemDepth : flatDepth; }
    bool contains(double u) const;

    // No u outside left .. right on this line lies in the emblem; right < left
    // where none does.
    struct Span {
        double left = std::numeric_limits<double>::infinity();
        double right = -std::numeric_limits<double>::infinity();
    };
    Span span() const;

    // Calls f with this line's test, a callable inside(u, s3u) where s3u is
    // sqrt3 * u, so that f can run one band's test over many points without
    // choosing the band again for each. Returns what f returns.
    template <class F>
    decltype(auto) withTest(F&& f) const;

private:
    int m_band = 0;
    double m_v = 0.0;
    // Half-widths of the circles centred at P0, P1 and P2 on this line, where the band uses them.
    double m_k0 = 0.0;
    double m_k1 = 0.0;
    double m_k2 = 0.0;
};

// Every comparison is strict: a point on an edge or an arc is outside. The
// edges are written against the stored offsets: -s3u - D is -sqrt3*u + 78.
// Negating or taking abs() of s3u is exact, so -s3u is -sqrt3*u to the last
// bit and -abs(s3u) is -sqrt3*abs(u). Both sides of & and | are evaluated,
// which the tests allow (they have no side effects) and keeps them branch-free.
template <class F>
decltype(auto) DepthRow::withTest(F&& f) const
{
    const double v = m_v;
    const double k0 = m_k0;
    const double k1 = m_k1;
    const double k2 = m_k2;
    switch (m_band) {
    case 2:
        return f([=](double u, double s3u) -> bool { return (v < s3u - E) & (u - P0u < k0); });
    case 3:
        return f([=](double, double s3u) -> bool {
            return ((v < s3u - E) & (v < -s3u - D)) | ((v < s3u - B) & (v < -s3u - E));
        });
    case 4:
        return f([=](double, double s3u) -> bool {
            const double s3absU = std::abs(s3u);
            return ((-s3absU - C < v) & (v < -s3absU - D)) | ((s3u - A < v) & (v < s3u - B) & (v < -s3u - E));
        });
    case 5:
        return f([=](double u, double s3u) -> bool {
            return ((u - P2u > -k2) & (v > s3u - C)) | ((v > -s3u - C) & (v > s3u - A));
        });
    case 6:
        return f([=](double u, double s3u) -> bool { return (u - P2u > -k2) & (v > s3u - A); });
    case 7:
        return f([=](double u, double) -> bool { return (u - P2u > -k2) & (u - P1u < k1); });
    case 8:
        return f([=](double u, double s3u) -> bool { return (v > -s3u - A) & (u - P1u < k1); });
    case 9:
        return f([=](double, double s3u) -> bool { return (-s3u - A < v) & (v < -s3u - B); });
    default: // bands 1 and 10 lie wholly above and below the emblem
        return f([](double, double) -> bool { return false; });
    }
}

inline bool DepthRow::contains(double u) const
{
    return withTest([u](const auto& inside) { return inside(u, sqrt3 * u); });
}

// The depth at normalised point (x, y): flatDepth or emblemDepth.
void GetG(double x, double y, double& depth);

} // namespace figure
