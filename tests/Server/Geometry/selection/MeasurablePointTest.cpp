// Measuring points: coordinates alone, distances and differences in pairs,
// the angle of three.

#include "Geometry/selection/MeasurablePoint.h"
#include "Geometry/selection/MeasurableCurve.h"
#include "Kv/Selection/LogicalSelection.h"

#include "ZkGeLineSeg3d.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::MeasureTests {
namespace {

using Result = MeasureMgr::MeasureResult;
const StrongRef<LogicalSelection> noSelection;
constexpr double kPi = 3.14159265358979323846;

TEST(MeasurablePoint, AlonePointsGiveTheirCoordinates) {
    MeasurablePoint point(noSelection, ZkGePoint3d(1, -2, 3.5));
    const std::pair<MeasureMgr::EMeasureType, double> expected[] = {
        {MeasureMgr::kX, 1}, {MeasureMgr::kY, -2}, {MeasureMgr::kZ, 3.5}};
    for (const auto& [type, value] : expected) {
        Result result;
        ASSERT_TRUE(point.canMeasure(type));
        ASSERT_TRUE(point.measure(type, result));
        EXPECT_EQ(result.value, value) << type;
    }
    Result result;
    EXPECT_FALSE(point.canMeasure(MeasureMgr::kLength));
    EXPECT_FALSE(point.measure(MeasureMgr::kDeltaX, result));
}

TEST(MeasurablePoint, TwoPointsGiveDistanceAndDifferences) {
    MeasurablePoint a(noSelection, ZkGePoint3d(1, 1, 1));
    MeasurablePoint b(noSelection, ZkGePoint3d(4, 5, -1));
    const std::pair<MeasureMgr::EMeasureType, double> expected[] = {
        {MeasureMgr::kDistance, std::sqrt(29.0)},
        {MeasureMgr::kDeltaX, 3},
        {MeasureMgr::kDeltaY, 4},
        {MeasureMgr::kDeltaZ, -2}};
    for (const auto& [type, value] : expected) {
        Result result;
        ASSERT_TRUE(a.canMeasure(b, type));
        ASSERT_TRUE(a.measure(b, type, result));
        EXPECT_DOUBLE_EQ(result.value, value) << type;
        EXPECT_EQ(result.firstPoint, ZkGePoint3d(1, 1, 1));
        EXPECT_EQ(result.secondPoint, ZkGePoint3d(4, 5, -1));
    }
    Result result;
    ASSERT_TRUE(b.measure(a, MeasureMgr::kDeltaX, result));
    EXPECT_EQ(result.value, -3) << "the other's coordinate minus this one's";

    // Only points are partners of a point.
    const ZkGeLineSeg3d segment(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0));
    MeasurableCurve curve(noSelection, &segment);
    EXPECT_FALSE(a.canMeasure(curve, MeasureMgr::kDistance));
    EXPECT_FALSE(a.measure(curve, MeasureMgr::kDistance, result));
    EXPECT_FALSE(a.canMeasure(b, MeasureMgr::kAngle));
}

TEST(MeasurablePoint, ThreePointsMakeAnAngleAtTheMiddleOne) {
    MeasurablePoint first(noSelection, ZkGePoint3d(2, 0, 0));
    MeasurablePoint vertex(noSelection, ZkGePoint3d(0, 0, 0));
    MeasurablePoint last(noSelection, ZkGePoint3d(-1, 1, 0));
    double angle = 0;
    ASSERT_TRUE(first.measureAngle(vertex, last, angle));
    EXPECT_NEAR(angle, 3 * kPi / 4, 1e-12);
    EXPECT_FALSE(first.measureAngle(first, last, angle)) << "an end on the vertex";
}

} // namespace
} // namespace Kv::Geometry::MeasureTests
