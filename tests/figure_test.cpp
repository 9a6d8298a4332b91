// SPDX-FileCopyrightText: 2026 The stereogram authors
// SPDX-License-Identifier: MIT

#include "figure/constants.h"
#include "figure/depth.h"
#include "tablerows.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

using namespace figure;

class FigureTest : public ::testing::Test {
protected:
    void SetUp() override { int_const(); }
};

double below(double value)
{
    return std::nextafter(value, -std::numeric_limits<double>::infinity());
}
double above(double value)
{
    return std::nextafter(value, std::numeric_limits<double>::infinity());
}

// The lowest v of bands 1 to 9, from the top down; band 10 lies below the last.
std::array<double, 9> bandLimits()
{
    return {61.0, T2, 35.0, T4, -14.0, T6, T7, -39.0, -75.0};
}

TEST_F(FigureTest, ConstantsHaveTheirValues)
{
    EXPECT_EQ(sqrt3, std::sqrt(3.0));
    EXPECT_EQ(A, 122.0);
    EXPECT_EQ(B, 70.0);
    EXPECT_EQ(C, -28.0);
    EXPECT_EQ(D, -78.0);
    EXPECT_EQ(E, -150.0);
    EXPECT_EQ(R2, 992.25);
    EXPECT_NEAR(P1u, 30.230762, 1e-6);
    EXPECT_NEAR(P1v, -7.638784, 1e-6);
    EXPECT_NEAR(P2u, -21.730762, 1e-6);
    EXPECT_NEAR(P2v, -22.361216, 1e-6);
    EXPECT_NEAR(T2, 45.680608, 1e-6);
    EXPECT_NEAR(T4, -6.680608, 1e-6);
    EXPECT_NEAR(T6, -23.138784, 1e-6);
    EXPECT_NEAR(T7, -37.861216, 1e-6);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
}

TEST_F(FigureTest, BandLimitsAreOrderedFromTheTopDown)
{
    const std::array<double, 9> limits = bandLimits();
    for (std::size_t i = 1; i < limits.size(); ++i)
        EXPECT_GT(limits[i - 1], limits[i]) << "limit " << i;
}

TEST_F(FigureTest, CircleCentresAreEquallyFarFromTheOrigin)
{
    const double r0 = std::hypot(P0u, P0v);
    EXPECT_NEAR(r0, 31.18, 0.01);
    EXPECT_NEAR(std::hypot(P1u, P1v), r0, 1e-12);
    EXPECT_NEAR(std::hypot(P2u, P2v), r0, 1e-12);
}

TEST_F(FigureTest, SecondCallChangesNothing)
{
    const double before[] = {sqrt3, A, B, C, D, E, R2, P1u, P1v, P2u, P2v, T2, T4, T6, T7};
    int_const();
    const double after[] = {sqrt3, A, B, C, D, E, R2, P1u, P1v, P2u, P2v, T2, T4, T6, T7};
    for (std::size_t i = 0; i < std::size(before); ++i)
        EXPECT_EQ(std::bit_cast<std::uint64_t>(before[i]), std::bit_cast<std::uint64_t>(after[i])) << "value " << i;
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
}

struct PointCase : tablerows::Named {
    double u;
    double v;
    int band;
    double depth;
};

class DepthAtPoint : public FigureTest, public ::testing::WithParamInterface<PointCase> {};

TEST_P(DepthAtPoint, GetGAnswersFromNormalisedCoordinates)
{
    const PointCase& p = GetParam();
    EXPECT_EQ(DepthRow(p.v).band(), p.band);
    double depth = -1.0;
    GetG(p.u / uPerX, p.v / vPerY, depth);
    EXPECT_EQ(depth, p.depth);
}

INSTANTIATE_TEST_SUITE_P(
    Emblem, DepthAtPoint,
    ::testing::Values(
        PointCase{"AboveTheEmblem", -60, 80, 1, flatDepth}, PointCase{"TopLimitIsStillAboveIt", 0, 61, 1, flatDepth},
        PointCase{"UpperArmTop", 0, 50, 2, emblemDepth}, PointCase{"UpperArmTopLeft", -13, 48, 2, emblemDepth},
        PointCase{"RightOfTheUpperArmsRoundEnd", 30, 50, 2, flatDepth}, PointCase{"UpperArm", 0, 40, 3, emblemDepth},
        PointCase{"UpperArmLeftSide", -40, 40, 3, emblemDepth}, PointCase{"LeftOfTheUpperArm", -70, 40, 3, flatDepth},
        PointCase{"RightOfTheUpperArm", 30, 40, 3, flatDepth}, PointCase{"CentralOpening", 0, 0, 4, flatDepth},
        PointCase{"LeftOfTheOpening", -40, 0, 4, emblemDepth}, PointCase{"RightOfTheOpening", 40, 0, 4, emblemDepth},
        PointCase{"RightArmOuterPart", 60, 0, 4, emblemDepth},
        PointCase{"BetweenUpperAndRightArm", 50, 30, 4, flatDepth},
        PointCase{"LowerLeftOfTheOpening", -40, -10, 5, emblemDepth},
        PointCase{"OpeningsLowerCorner", 0, -10, 5, flatDepth},
        PointCase{"LowerRightOfTheOpening", 40, -10, 5, emblemDepth},
        PointCase{"BelowTheOpening", 0, -20, 6, emblemDepth},
        PointCase{"LeftOfTheLowerLeftRoundEnd", -60, -20, 6, flatDepth},
        PointCase{"RightOfTheRightArm", 60, -20, 6, flatDepth}, PointCase{"LowerMiddle", 20, -30, 7, emblemDepth},
        PointCase{"LeftOfTheLowerRoundEnd", -60, -30, 7, flatDepth},
        PointCase{"RightOfTheLowerRoundEnd", 70, -30, 7, flatDepth},
        PointCase{"LowerRoundEndsTip", 20, -38.5, 8, emblemDepth},
        PointCase{"RightOfTheRoundEndsTip", 40, -38.5, 8, flatDepth}, PointCase{"LeftArm", -30, -50, 9, emblemDepth},
        PointCase{"RightOfTheLeftArm", 0, -60, 9, flatDepth},
        PointCase{"LeftArmAtTheBottomLimit", 0, -75, 9, emblemDepth},
        PointCase{"BelowTheEmblem", 0, -75.5, 10, flatDepth}),
    tablerows::byName);

TEST_F(FigureTest, NothingAboveOrBelowTheEmblemStandsOut)
{
    for (double u = -200.0; u <= 200.0; u += 0.5) {
        EXPECT_EQ(DepthRow(61.0).at(u), flatDepth) << u;
        EXPECT_EQ(DepthRow(200.0).at(u), flatDepth) << u;
        EXPECT_EQ(DepthRow(below(-75.0)).at(u), flatDepth) << u;
        EXPECT_EQ(DepthRow(-200.0).at(u), flatDepth) << u;
    }
}

TEST_F(FigureTest, NothingLeftOrRightOfALinesSpanStandsOut)
{
    long insideSeen = 0;
    for (double v = -80.0; v <= 65.0; v += 0.0625) {
        const DepthRow row(v);
        const DepthRow::Span span = row.span();
        for (double u = -200.0; u <= 200.0; u += 0.125) {
            if (u < span.left || u > span.right) {
                ASSERT_EQ(row.at(u), flatDepth) << "u " << u << ", v " << v;
            }
            insideSeen += row.at(u) == emblemDepth;
        }
        ASSERT_EQ(row.at(below(span.left)), flatDepth) << v;
        ASSERT_EQ(row.at(above(span.right)), flatDepth) << v;
    }
    EXPECT_GT(insideSeen, 0);
}

// An edge solved for u by a division lands a few ulps from where the band's
// test, by a multiplication, puts it. These points lie just outside the span
// solved exactly and yet inside the emblem: the span's margin must hold them.
TEST_F(FigureTest, ASpanHoldsThePointsTheTestRoundsInside)
{
    struct Point {
        const char* where;
        double v;
        double u;
    };
    for (const Point& p : {Point{"left edge, band 9", -57.999439625535295, -36.950740760484095},
                           Point{"left edge, band 8", -38.997841802114998, -47.921318378868811},
                           Point{"right edge, band 6", -23.136726532147883, 57.07873754963201},
                           Point{"right edge, band 4", 6.000298963784374, 73.901007063093488}}) {
        SCOPED_TRACE(p.where);
        const DepthRow row(p.v);
        ASSERT_TRUE(row.contains(p.u));
        const DepthRow::Span span = row.span();
        EXPECT_GE(p.u, span.left);
        EXPECT_LE(p.u, span.right);
    }
}

TEST_F(FigureTest, ALimitBelongsToTheBandBelowIt)
{
    const std::array<double, 9> limits = bandLimits();
    for (std::size_t i = 0; i < limits.size(); ++i) {
        const int band = static_cast<int>(i) + 1;
        EXPECT_EQ(DepthRow(limits[i]).band(), band) << limits[i];
        EXPECT_EQ(DepthRow(below(limits[i])).band(), band + 1) << limits[i];
    }
}

struct EdgeCase : tablerows::Named {
    double u;
    double (*edge)(double u);   // v of the edge at u
    double (*inward)(double v); // one step off the edge, into the emblem
};

class PointOnAnEdge : public FigureTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(PointOnAnEdge, IsOutsideAndItsNeighbourInside)
{
    const EdgeCase& e = GetParam();
    const double v = e.edge(e.u);
    EXPECT_EQ(DepthRow(v).at(e.u), flatDepth) << "on the edge, v = " << v;
    EXPECT_EQ(DepthRow(e.inward(v)).at(e.u), emblemDepth) << "next to it";
}

INSTANTIATE_TEST_SUITE_P(
    Emblem, PointOnAnEdge,
    ::testing::Values(EdgeCase{"UpperArmsLeftEdge", -55, [](double u) { return sqrt3 * u - E; }, below},
                      EdgeCase{"UpperArmsRightEdge", 22, [](double u) { return -sqrt3 * u - D; }, below},
                      EdgeCase{"OpeningsRightEdge", 20, [](double u) { return -sqrt3 * std::abs(u) - C; }, above},
                      EdgeCase{"RightArmsUpperEdge", 25, [](double u) { return -sqrt3 * std::abs(u) - D; }, below},
                      EdgeCase{"LeftArmsLowerEdge", -30, [](double u) { return -sqrt3 * u - A; }, above},
                      EdgeCase{"LeftArmsUpperEdge", -10, [](double u) { return -sqrt3 * u - B; }, below}),
    tablerows::byName);

struct ArcCase : tablerows::Named {
    double v;
    int band;
    double (*centreU)();
    double (*centreV)();
    double side; // +1: the arc bounds the emblem on its right; -1: on its left
};

class PointOnAnArc : public FigureTest, public ::testing::WithParamInterface<ArcCase> {};

TEST_P(PointOnAnArc, IsOutsideAndItsNeighbourInside)
{
    const ArcCase& a = GetParam();
    ASSERT_EQ(DepthRow(a.v).band(), a.band);
    const double dv = a.v - a.centreV();
    const double halfWidth = std::sqrt(R2 - dv * dv);
    const double u = a.centreU() + a.side * halfWidth;
    // u less the centre rounds back to the half-width exactly here, so the point lies on the arc.
    ASSERT_EQ(u - a.centreU(), a.side * halfWidth);
    EXPECT_EQ(DepthRow(a.v).at(u), flatDepth) << "on the arc, u = " << u;
    // The nearest u inwards that is off the arc.
    double inward = u;
    do
        inward = a.side > 0 ? below(inward) : above(inward);
    while (inward - a.centreU() == a.side * halfWidth);
    EXPECT_EQ(DepthRow(a.v).at(inward), emblemDepth) << "next to it, u = " << inward;
}

INSTANTIATE_TEST_SUITE_P(
    Emblem, PointOnAnArc,
    ::testing::Values(ArcCase{"UpperArmsRoundEnd", 50.0, 2, [] { return P0u; }, [] { return P0v; }, +1},
                      ArcCase{"RightArmsRoundEndAboveTheTip", -31.25, 7, [] { return P1u; }, [] { return P1v; }, +1},
                      ArcCase{"RightArmsRoundEndAtTheTip", -38.25, 8, [] { return P1u; }, [] { return P1v; }, +1},
                      ArcCase{"LeftArmsRoundEndBesideTheOpening", -10.0, 5, [] { return P2u; }, [] { return P2v; }, -1},
                      ArcCase{"LeftArmsRoundEndBelowTheOpening", -18.5, 6, [] { return P2u; }, [] { return P2v; }, -1},
                      ArcCase{"LeftArmsRoundEndAtTheBottom", -28.0, 7, [] { return P2u; }, [] { return P2v; }, -1}),
    tablerows::byName);

} // namespace
