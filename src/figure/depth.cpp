#include "depth.h"

namespace figure {

namespace {
// Band limits that are not computed by int_const().
constexpr double band1Limit = 61.0;
constexpr double band3Limit = 35.0;
constexpr double band5Limit = -14.0;
constexpr double band8Limit = -39.0;
constexpr double band9Limit = -75.0;

int bandOf(double v)
{
    if (v >= band1Limit) return 1;
    if (v >= T2) return 2;
    if (v >= band3Limit) return 3;
    if (v >= T4) return 4;
    if (v >= band5Limit) return 5;
    if (v >= T6) return 6;
    if (v >= T7) return 7;
    if (v >= band8Limit) return 8;
    if (v >= band9Limit) return 9;
    return 10;
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

void GetG(double x, double y, double& depth)
{
    const double u = toU(x);
    const double v = toV(y);
    depth = flatDepth;
    if (DepthRow(v).contains(u))
        depth = emblemDepth;
}

} // namespace figure
