// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "depth.h"

#include <algorithm>

namespace figure {

namespace {
// Band limits that are neither computed by int_const() nor an ordinate of
// the emblem's that it turns.
constexpr double band3Limit = 35.0;
constexpr double band5Limit = -14.0;
constexpr double band9Limit = -75.0;

// Room left around a span for the rounding of the tests it bounds.
constexpr double spanMargin = 1.0;

int bandOf(double v)
{
    // The lower limits of bands 1 to 9, from the top; below them all is band 10.
    const double lowerLimits[] = {armTipV, T2, band3Limit, T4, band5Limit, T6, T7, lowerTipV, band9Limit};
    int band = 1;
    for (const double limit : lowerLimits) {
        if (v >= limit)
            return band;
        ++band;
    }
    return band;
}

// Half-width of the circle of squared radius R2 centred at ordinate cv, on the
// line of ordinate v. Only asked for where the band limits keep |v - cv| below
// the radius, so the root's argument is positive.
double halfWidth(double v, double cv)
{
    return std::sqrt(R2 - (v - cv) * (v - cv));
}
} // namespace

DepthRow::DepthRow(double v)
    : m_band(bandOf(v))
    , m_v(v)
{
    if (m_band == 2)
        m_k0 = halfWidth(v, P0v);
    if (m_band == 7 || m_band == 8)
        m_k1 = halfWidth(v, P1v);
    if (m_band >= 5 && m_band <= 7)
        m_k2 = halfWidth(v, P2v);
}

// Each band's test is one or two conjunctions, and each conjunction has an
// edge or an arc that bounds u from the left and one that bounds it from the
// right: solved for u, they give the span.
DepthRow::Span DepthRow::span() const
{
    const double v = m_v;
    const double s3 = sqrt3;
    Span span;
    switch (m_band) {
    case 2:
        span = {(v + E) / s3, P0u + m_k0};
        break;
    case 3:
        span = {std::min((v + E) / s3, (v + B) / s3), std::max(-(v + D) / s3, -(v + E) / s3)};
        break;
    case 4:
        span = {std::min((v + D) / s3, (v + B) / s3), std::max(-(v + D) / s3, (v + A) / s3)};
        break;
    case 5:
        span = {std::min(P2u - m_k2, -(v + C) / s3), std::max((v + C) / s3, (v + A) / s3)};
        break;
    case 6:
        span = {P2u - m_k2, (v + A) / s3};
        break;
    case 7:
        span = {P2u - m_k2, P1u + m_k1};
        break;
    case 8:
        span = {-(v + A) / s3, P1u + m_k1};
        break;
    case 9:
        span = {-(v + A) / s3, -(v + B) / s3};
        break;
    default: // bands 1 and 10 lie wholly above and below the emblem
        return span;
    }
    return {span.left - spanMargin, span.right + spanMargin};
}

void GetG(double x, double y, double& depth)
{
    const double u = toU(x);
    const double v = toV(y);
    depth = flatDepth;
    if (DepthRow(v).contains(u))
        depth = emblemDepth;
}

} // namespace figure
