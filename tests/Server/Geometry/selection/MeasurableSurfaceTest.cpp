// Measuring planes against points, curves and other planes.

#include "Geometry/selection/MeasurableSurface.h"
#include "Geometry/selection/MeasurableCurve.h"
#include "Geometry/selection/MeasurablePoint.h"
#include "Kv/Selection/LogicalSelection.h"

#include "ZkGeCircArc3d.h"
#include "ZkGeLineSeg3d.h"
#include "ZkGePlane.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::MeasureTests {
namespace {

using Result = MeasureMgr::MeasureResult;
const StrongRef<LogicalSelection> noSelection;
constexpr double kPi = 3.14159265358979323846;

TEST(MeasurableSurface, APlaneMeasuresNothingAlone) {
    const ZkGePlane plane(ZkGePoint3d(0, 0, 2), ZkGeVector3d::kZAxis);
    MeasurableSurface surface(noSelection, &plane);
    EXPECT_TRUE(surface.planar());
    EXPECT_FALSE(surface.bounded());
    EXPECT_FALSE(surface.canMeasure(MeasureMgr::kLength));
    EXPECT_FALSE(surface.canMeasure(MeasureMgr::kX));

    MeasurableSurface none(noSelection, nullptr);
    MeasurablePoint point(noSelection, ZkGePoint3d(0, 0, 0));
    EXPECT_FALSE(none.planar());
    EXPECT_FALSE(none.canMeasure(point, MeasureMgr::kDistance));
}

TEST(MeasurableSurface, DistancesToPointsCurvesAndParallelPlanes) {
    const ZkGePlane plane(ZkGePoint3d(0, 0, 2), ZkGeVector3d::kZAxis);
    MeasurableSurface surface(noSelection, &plane);
    Result result;

    MeasurablePoint point(noSelection, ZkGePoint3d(3, 4, 7));
    ASSERT_TRUE(surface.canMeasure(point, MeasureMgr::kDistance));
    ASSERT_TRUE(surface.measure(point, MeasureMgr::kDistance, result));
    EXPECT_DOUBLE_EQ(result.value, 5);
    EXPECT_TRUE(result.firstPoint.isEqualTo(ZkGePoint3d(3, 4, 2)));

    // A circle hanging below the plane: its top is nearest.
    const ZkGeCircArc3d circle(ZkGePoint3d(0, 0, -3), ZkGeVector3d::kYAxis, 1);
    MeasurableCurve curve(noSelection, &circle);
    ASSERT_TRUE(surface.measure(curve, MeasureMgr::kDistance, result));
    EXPECT_NEAR(result.value, 4, 1e-7);
    EXPECT_NEAR(result.firstPoint.z, 2, 1e-7) << "the first point lies on the plane";
    EXPECT_NEAR(result.secondPoint.z, -2, 1e-7);

    // A segment through the plane reaches it.
    const ZkGeLineSeg3d through(ZkGePoint3d(0, 0, 0), ZkGePoint3d(0, 0, 5));
    MeasurableCurve crossing(noSelection, &through);
    ASSERT_TRUE(surface.measure(crossing, MeasureMgr::kDistance, result));
    EXPECT_NEAR(result.value, 0, 1e-7);

    const ZkGePlane parallel(ZkGePoint3d(1, 1, -1), -ZkGeVector3d::kZAxis);
    MeasurableSurface other(noSelection, &parallel);
    ASSERT_TRUE(surface.measure(other, MeasureMgr::kDistance, result));
    EXPECT_DOUBLE_EQ(result.value, 3);

    const ZkGePlane tilted(ZkGePoint3d(0, 0, 0), ZkGeVector3d(0, 1, 1));
    MeasurableSurface slanted(noSelection, &tilted);
    EXPECT_TRUE(surface.canMeasure(slanted, MeasureMgr::kDistance));
    EXPECT_FALSE(surface.measure(slanted, MeasureMgr::kDistance, result))
        << "planes that meet have no distance";
}

TEST(MeasurableSurface, AnglesToPlanesAndStraightCurves) {
    const ZkGePlane plane(ZkGePoint3d::kOrigin, ZkGeVector3d::kZAxis);
    const ZkGePlane tilted(ZkGePoint3d::kOrigin, ZkGeVector3d(0, 1, 1));
    MeasurableSurface surface(noSelection, &plane);
    MeasurableSurface other(noSelection, &tilted);
    Result result;
    ASSERT_TRUE(surface.canMeasure(other, MeasureMgr::kAngle));
    ASSERT_TRUE(surface.measure(other, MeasureMgr::kAngle, result));
    EXPECT_NEAR(result.value, kPi / 4, 1e-12);

    const ZkGeLineSeg3d rising(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 1));
    MeasurableCurve line(noSelection, &rising);
    ASSERT_TRUE(surface.canMeasure(line, MeasureMgr::kAngle));
    ASSERT_TRUE(surface.measure(line, MeasureMgr::kAngle, result));
    EXPECT_NEAR(result.value, kPi / 4, 1e-12);

    const ZkGeCircArc3d circle(ZkGePoint3d::kOrigin, ZkGeVector3d::kZAxis, 1);
    MeasurableCurve round(noSelection, &circle);
    EXPECT_FALSE(surface.canMeasure(round, MeasureMgr::kAngle));
    EXPECT_FALSE(surface.canMeasure(line, MeasureMgr::kDeltaX));
}

} // namespace
} // namespace Kv::Geometry::MeasureTests
