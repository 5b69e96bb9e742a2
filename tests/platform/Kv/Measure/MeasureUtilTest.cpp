// The geometry behind measurements: lines, angles, closest points and
// distances between curves and planes.

#include "Kv/Measure/MeasureUtil.h"

#include "ZkGeCircArc3d.h"
#include "ZkGeLine3d.h"
#include "ZkGeLineSeg3d.h"
#include "ZkGePlane.h"
#include "ZkGeRay3d.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Tests {
namespace {

using Result = MeasureMgr::MeasureResult;
constexpr double kPi = 3.14159265358979323846;

TEST(MeasureUtil, StraightCurvesHaveALine) {
    ZkGeLine3d line;
    ASSERT_TRUE(
        MeasureUtil::getLine(ZkGeLineSeg3d(ZkGePoint3d(1, 1, 0), ZkGePoint3d(3, 1, 0)), line));
    EXPECT_TRUE(line.isOn(ZkGePoint3d(-10, 1, 0)));
    EXPECT_TRUE(line.direction().isParallelTo(ZkGeVector3d::kXAxis));

    const ZkGeLine3d untouched = line;
    EXPECT_FALSE(
        MeasureUtil::getLine(ZkGeCircArc3d(ZkGePoint3d::kOrigin, ZkGeVector3d::kZAxis, 1), line));
    EXPECT_FALSE(
        MeasureUtil::getLine(ZkGeLineSeg3d(ZkGePoint3d(1, 1, 0), ZkGePoint3d(1, 1, 0)), line))
        << "a segment shrunk to a point";
    EXPECT_EQ(line, untouched);
}

TEST(MeasureUtil, ThreePointsMakeAnAngleAtTheMiddleOne) {
    double angle = -1;
    ASSERT_TRUE(MeasureUtil::getPointPointPointAngle(ZkGePoint3d(1, 0, 0), ZkGePoint3d(0, 0, 0),
                                                     ZkGePoint3d(0, 0, 3), angle));
    EXPECT_NEAR(angle, kPi / 2, 1e-12);
    ASSERT_TRUE(MeasureUtil::getPointPointPointAngle(ZkGePoint3d(1, 0, 0), ZkGePoint3d(0, 0, 0),
                                                     ZkGePoint3d(-5, 0, 0), angle));
    EXPECT_NEAR(angle, kPi, 1e-12);
    EXPECT_FALSE(MeasureUtil::getPointPointPointAngle(ZkGePoint3d(1, 0, 0), ZkGePoint3d(1, 0, 0),
                                                      ZkGePoint3d(0, 1, 0), angle));
}

TEST(MeasureUtil, TheHitPointsPickTheCornerOfCrossingLines) {
    // The x axis and the diagonal y = x cross at the origin.
    const ZkGeLineSeg3d axis(ZkGePoint3d(-2, 0, 0), ZkGePoint3d(2, 0, 0));
    const ZkGeLineSeg3d diagonal(ZkGePoint3d(-2, -2, 0), ZkGePoint3d(2, 2, 0));
    Result result;
    ASSERT_TRUE(MeasureUtil::getCurveCurveAngle(axis, ZkGePoint3d(1, 0.1, 0), diagonal,
                                                ZkGePoint3d(1, 1, 0), result));
    EXPECT_NEAR(result.value, kPi / 4, 1e-12);
    EXPECT_TRUE(result.firstPoint.isEqualTo(ZkGePoint3d(1, 0, 0)));
    EXPECT_TRUE(result.secondPoint.isEqualTo(ZkGePoint3d(1, 1, 0)));
    ASSERT_TRUE(MeasureUtil::getCurveCurveAngle(axis, ZkGePoint3d(1, 0, 0), diagonal,
                                                ZkGePoint3d(-1, -1, 0), result));
    EXPECT_NEAR(result.value, 3 * kPi / 4, 1e-12);

    // Skew lines do not cross: their own directions count.
    const ZkGeLineSeg3d above(ZkGePoint3d(0, 0, 1), ZkGePoint3d(0, 3, 1));
    ASSERT_TRUE(MeasureUtil::getCurveCurveAngle(axis, ZkGePoint3d(-1, 0, 0), above,
                                                ZkGePoint3d(0, 1, 1), result));
    EXPECT_NEAR(result.value, kPi / 2, 1e-12);

    const ZkGeCircArc3d circle(ZkGePoint3d::kOrigin, ZkGeVector3d::kZAxis, 1);
    EXPECT_FALSE(
        MeasureUtil::getCurveCurveAngle(axis, ZkGePoint3d(), circle, ZkGePoint3d(), result));
}

TEST(MeasureUtil, AnglesWithPlanesLieBetweenZeroAndAQuarterTurn) {
    const ZkGePlane floor(ZkGePoint3d::kOrigin, ZkGeVector3d::kZAxis);
    const ZkGePlane wall(ZkGePoint3d(5, 0, 0), -ZkGeVector3d::kXAxis);
    const ZkGePlane ceiling(ZkGePoint3d(0, 0, 3), -ZkGeVector3d::kZAxis);
    Result result;
    ASSERT_TRUE(MeasureUtil::getSurfaceSurfaceAngle(floor, ZkGePoint3d(1, 1, 1), wall,
                                                    ZkGePoint3d(1, 1, 1), result));
    EXPECT_NEAR(result.value, kPi / 2, 1e-12);
    EXPECT_TRUE(result.firstPoint.isEqualTo(ZkGePoint3d(1, 1, 0)));
    EXPECT_TRUE(result.secondPoint.isEqualTo(ZkGePoint3d(5, 1, 1)));
    ASSERT_TRUE(
        MeasureUtil::getSurfaceSurfaceAngle(floor, ZkGePoint3d(), ceiling, ZkGePoint3d(), result));
    EXPECT_NEAR(result.value, 0, 1e-12) << "facing normals still make parallel planes";

    const ZkGeLineSeg3d steep(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, std::sqrt(3.0)));
    ASSERT_TRUE(
        MeasureUtil::getCurveSurfaceAngle(steep, ZkGePoint3d(), ceiling, ZkGePoint3d(), result));
    EXPECT_NEAR(result.value, kPi / 3, 1e-12);
    const ZkGeCircArc3d circle(ZkGePoint3d::kOrigin, ZkGeVector3d::kZAxis, 1);
    EXPECT_FALSE(
        MeasureUtil::getCurveSurfaceAngle(circle, ZkGePoint3d(), floor, ZkGePoint3d(), result));
}

TEST(MeasureUtil, CurvesAndPlanesAreAsFarApartAsTheirNearestPoints) {
    const ZkGePlane floor(ZkGePoint3d::kOrigin, ZkGeVector3d::kZAxis);
    Result result;
    const ZkGeLine3d parallel(ZkGePoint3d(0, 0, 4), ZkGeVector3d::kXAxis);
    ASSERT_TRUE(MeasureUtil::getCurvePlaneDistance(parallel, floor, result));
    EXPECT_DOUBLE_EQ(result.value, 4);
    EXPECT_NEAR(result.secondPoint.z, 0, 1e-12);

    const ZkGeLine3d slanted(ZkGePoint3d(0, 0, 4), ZkGeVector3d(1, 0, -1));
    ASSERT_TRUE(MeasureUtil::getCurvePlaneDistance(slanted, floor, result));
    EXPECT_NEAR(result.value, 0, 1e-12);
    EXPECT_TRUE(result.firstPoint.isEqualTo(ZkGePoint3d(4, 0, 0)));

    const ZkGeRay3d away(ZkGePoint3d(0, 0, 2), ZkGeVector3d(1, 0, 1));
    ASSERT_TRUE(MeasureUtil::getCurvePlaneDistance(away, floor, result));
    EXPECT_DOUBLE_EQ(result.value, 2) << "a ray pointing away is nearest at its start";

    const ZkGeCircArc3d ring(ZkGePoint3d(0, 0, 5), ZkGeVector3d::kXAxis, 2);
    ASSERT_TRUE(MeasureUtil::getCurvePlaneDistance(ring, floor, result));
    EXPECT_NEAR(result.value, 3, 1e-7);

    const ZkGePlane ceiling(ZkGePoint3d(7, 7, 3), -ZkGeVector3d::kZAxis);
    ASSERT_TRUE(MeasureUtil::getPlanePlaneDistance(floor, ceiling, result, true));
    EXPECT_DOUBLE_EQ(result.value, 3);
    const ZkGePlane wall(ZkGePoint3d(5, 0, 0), ZkGeVector3d::kXAxis);
    EXPECT_FALSE(MeasureUtil::getPlanePlaneDistance(floor, wall, result, true));
    ASSERT_TRUE(MeasureUtil::getPlanePlaneDistance(floor, wall, result, false));
    EXPECT_EQ(result.value, 0);
}

TEST(MeasureUtil, ClosestPointsOfCurves) {
    ZkGePoint3d a, b;
    // Two skew infinite lines: the common perpendicular.
    const ZkGeLine3d xAxis(ZkGePoint3d::kOrigin, ZkGeVector3d::kXAxis);
    const ZkGeLine3d above(ZkGePoint3d(3, 5, 2), ZkGeVector3d::kYAxis);
    ASSERT_TRUE(MeasureUtil::getClosestPoints(xAxis, above, a, b));
    EXPECT_TRUE(a.isEqualTo(ZkGePoint3d(3, 0, 0)));
    EXPECT_TRUE(b.isEqualTo(ZkGePoint3d(3, 0, 2)));

    // A line and a circle it misses, in either order.
    const ZkGeCircArc3d circle(ZkGePoint3d::kOrigin, ZkGeVector3d::kZAxis, 1);
    const ZkGeLine3d tangentish(ZkGePoint3d(0, 3, 0), ZkGeVector3d::kXAxis);
    ASSERT_TRUE(MeasureUtil::getClosestPoints(tangentish, circle, a, b));
    EXPECT_NEAR(a.distanceTo(b), 2, 1e-7);
    EXPECT_TRUE(b.isEqualTo(ZkGePoint3d(0, 1, 0), ZkGeTol(1e-6, 1e-6)));
    ASSERT_TRUE(MeasureUtil::getClosestPoints(circle, tangentish, a, b));
    EXPECT_TRUE(a.isEqualTo(ZkGePoint3d(0, 1, 0), ZkGeTol(1e-6, 1e-6)));
}

} // namespace
} // namespace Kv::Tests
