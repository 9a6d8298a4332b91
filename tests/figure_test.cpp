#include "figure/constants.h"
#include "figure/depth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

using namespace figure;

class FigureTest : public ::testing::Test {
protected:
    void SetUp() override { int_const(); }
};

double below(double value) { return std::nextafter(value, -std::numeric_limits<double>::infinity()); }
double above(double value) { return std::nextafter(value, std::numeric_limits<double>::infinity()); }

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
    const double limits[] = {61.0, T2, 35.0, T4, -14.0, T6, T7, -39.0, -75.0};
    for (std::size_t i = 1; i < std::size(limits); ++i)
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
        EXPECT_EQ(std::memcmp(&before[i], &after[i], sizeof(double)), 0) << "value " << i;
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
}

struct PointCase {
    std::string name;
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
        PointCase{"AboveTheEmblem", -60, 80, 1, flatDepth},
        PointCase{"TopLimitIsStillAboveIt", 0, 61, 1, flatDepth},
        PointCase{"UpperArmTop", 0, 50, 2, emblemDepth},
        PointCase{"UpperArmTopLeft", -13, 48, 2, emblemDepth},
        PointCase{"RightOfTheUpperArmsRoundEnd", 30, 50, 2, flatDepth},
        PointCase{"UpperArm", 0, 40, 3, emblemDepth},
        PointCase{"UpperArmLeftSide", -40, 40, 3, emblemDepth},
        PointCase{"LeftOfTheUpperArm", -70, 40, 3, flatDepth},
        PointCase{"RightOfTheUpperArm", 30, 40, 3, flatDepth},
        PointCase{"CentralOpening", 0, 0, 4, flatDepth},
        PointCase{"LeftOfTheOpening", -40, 0, 4, emblemDepth},
        PointCase{"RightOfTheOpening", 40, 0, 4, emblemDepth},
        PointCase{"RightArmOuterPart", 60, 0, 4, emblemDepth},
        PointCase{"BetweenUpperAndRightArm", 50, 30, 4, flatDepth},
        PointCase{"LowerLeftOfTheOpening", -40, -10, 5, emblemDepth},
        PointCase{"OpeningsLowerCorner", 0, -10, 5, flatDepth},
        PointCase{"LowerRightOfTheOpening", 40, -10, 5, emblemDepth},
        PointCase{"BelowTheOpening", 0, -20, 6, emblemDepth},
        PointCase{"LeftOfTheLowerLeftRoundEnd", -60, -20, 6, flatDepth},
        PointCase{"RightOfTheRightArm", 60, -20, 6, flatDepth},
        PointCase{"LowerMiddle", 20, -30, 7, emblemDepth},
        PointCase{"LeftOfTheLowerRoundEnd", -60, -30, 7, flatDepth},
        PointCase{"RightOfTheLowerRoundEnd", 70, -30, 7, flatDepth},
        PointCase{"LowerRoundEndsTip", 20, -38.5, 8, emblemDepth},
        PointCase{"RightOfTheRoundEndsTip", 40, -38.5, 8, flatDepth},
        PointCase{"LeftArm", -30, -50, 9, emblemDepth},
        PointCase{"RightOfTheLeftArm", 0, -60, 9, flatDepth},
        PointCase{"LeftArmAtTheBottomLimit", 0, -75, 9, emblemDepth},
        PointCase{"BelowTheEmblem", 0, -75.5, 10, flatDepth}),
    [](const auto& info) { return info.param.name; });

TEST_F(FigureTest, NothingAboveOrBelowTheEmblemStandsOut)
{
    for (double u = -200.0; u <= 200.0; u += 0.5) {
        EXPECT_EQ(DepthRow(61.0).at(u), flatDepth) << u;
        EXPECT_EQ(DepthRow(200.0).at(u), flatDepth) << u;
        EXPECT_EQ(DepthRow(below(-75.0)).at(u), flatDepth) << u;
        EXPECT_EQ(DepthRow(-200.0).at(u), flatDepth) << u;
    }
}

TEST_F(FigureTest, NothingLeftOrRightOfTheEmblemStandsOut)
{
    long insideSeen = 0;
    for (double v = -80.0; v <= 65.0; v += 0.0625) {
        const DepthRow row(v);
        for (double u = -200.0; u <= 200.0; u += 0.25) {
            if (u < emblemLeft || u > emblemRight)
                ASSERT_EQ(row.at(u), flatDepth) << "u " << u << ", v " << v;
            insideSeen += row.at(u) == emblemDepth;
        }
        ASSERT_EQ(row.at(std::nextafter(emblemLeft, -1000.0)), flatDepth) << v;
        ASSERT_EQ(row.at(std::nextafter(emblemRight, 1000.0)), flatDepth) << v;
    }
    EXPECT_GT(insideSeen, 0);
}

TEST_F(FigureTest, ALimitBelongsToTheBandBelowIt)
{
    const struct {
        double limit;
        int band;
    } limits[] = {{61.0, 1}, {T2, 2}, {35.0, 3}, {T4, 4}, {-14.0, 5},
                  {T6, 6},   {T7, 7}, {-39.0, 8}, {-75.0, 9}};
    for (const auto& l : limits) {
        EXPECT_EQ(DepthRow(l.limit).band(), l.band) << l.limit;
        EXPECT_EQ(DepthRow(below(l.limit)).band(), l.band + 1) << l.limit;
    }
}

struct EdgeCase {
    std::string name;
    double u;
    double (*edge)(double u); // v of the edge at u
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
    ::testing::Values(
        EdgeCase{"UpperArmsLeftEdge", -55, [](double u) { return sqrt3 * u - E; }, below},
        EdgeCase{"UpperArmsRightEdge", 22, [](double u) { return -sqrt3 * u - D; }, below},
        EdgeCase{"OpeningsRightEdge", 20, [](double u) { return -sqrt3 * std::abs(u) - C; }, above},
        EdgeCase{"RightArmsUpperEdge", 25, [](double u) { return -sqrt3 * std::abs(u) - D; }, below},
        EdgeCase{"LeftArmsLowerEdge", -30, [](double u) { return -sqrt3 * u - A; }, above},
        EdgeCase{"LeftArmsUpperEdge", -10, [](double u) { return -sqrt3 * u - B; }, below}),
    [](const auto& info) { return info.param.name; });

TEST_F(FigureTest, PointOnTheUpperArcIsOutside)
{
    const double v = 50.0;
    const double halfWidth = std::sqrt(R2 - (v - P0v) * (v - P0v));
    const double u = halfWidth + P0u;
    // u - P0u rounds back to the half-width exactly here, so the point lies on the arc.
    ASSERT_EQ(u - P0u, halfWidth);
    EXPECT_EQ(DepthRow(v).at(u), flatDepth);
    EXPECT_EQ(DepthRow(v).at(u - 1e-9), emblemDepth);
}

} // namespace
