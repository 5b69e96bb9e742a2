// Measuring curves: length and radius alone; distances to points and curves;
// angles between straight curves.

#include "Geometry/selection/MeasurableCurve.h"
#include "Geometry/selection/MeasurablePoint.h"
#include "Kv/Selection/LogicalSelection.h"

#include "ZkGeCircArc3d.h"
#include "ZkGeLine3d.h"
#include "ZkGeLineSeg3d.h"
#include "ZkGeNurbCurve3d.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::MeasureTests {
namespace {

using Result = MeasureMgr::MeasureResult;
const StrongRef<LogicalSelection> noSelection;
constexpr double kPi = 3.14159265358979323846;

TEST(MeasurableCurve, AFullCircleHasALengthAndARadius) {
    const ZkGeCircArc3d circle(ZkGePoint3d(1, 2, 3), ZkGeVector3d::kZAxis, 2.5);
    MeasurableCurve curve(noSelection, &circle);
    EXPECT_TRUE(curve.circular());
    EXPECT_FALSE(curve.linear());
    EXPECT_EQ(curve.canMeasure(MeasureMgr::kLength), circle.getInterval().isBounded());
    ASSERT_TRUE(curve.canMeasure(MeasureMgr::kRadius));
    Result result;
    ASSERT_TRUE(curve.measure(MeasureMgr::kRadius, result));
    EXPECT_DOUBLE_EQ(result.value, 2.5);
    ASSERT_TRUE(curve.measure(MeasureMgr::kLength, result));
    EXPECT_NEAR(result.value, 5 * kPi, 1e-9);
    EXPECT_FALSE(curve.canMeasure(MeasureMgr::kX));
}

TEST(MeasurableCurve, OnlyCircularCurvesHaveARadiusAndOnlyBoundedOnesALength) {
    const ZkGeLineSeg3d segment(ZkGePoint3d(0, 0, 0), ZkGePoint3d(3, 4, 0));
    MeasurableCurve bounded(noSelection, &segment);
    Result result;
    result.value = -1;
    EXPECT_FALSE(bounded.canMeasure(MeasureMgr::kRadius));
    EXPECT_FALSE(bounded.measure(MeasureMgr::kRadius, result));
    EXPECT_EQ(result.value, -1) << "a refused measurement leaves the result alone";
    ASSERT_TRUE(bounded.measure(MeasureMgr::kLength, result));
    EXPECT_DOUBLE_EQ(result.value, 5);

    const ZkGeLine3d line(ZkGePoint3d(0, 0, 0), ZkGeVector3d::kXAxis);
    EXPECT_FALSE(MeasurableCurve(noSelection, &line).canMeasure(MeasureMgr::kLength));

    MeasurableCurve none(noSelection, nullptr);
    EXPECT_FALSE(none.bounded() || none.linear() || none.circular());
    MeasurablePoint point(noSelection, ZkGePoint3d(1, 1, 1));
    EXPECT_FALSE(none.canMeasure(point, MeasureMgr::kDistance));
    EXPECT_FALSE(none.measure(point, MeasureMgr::kDistance, result));
}

TEST(MeasurableCurve, DistanceToAPointUsesTheWholeLineOfAStraightCurve) {
    const ZkGeLineSeg3d segment(ZkGePoint3d(0, 0, 0), ZkGePoint3d(2, 0, 0));
    MeasurableCurve curve(noSelection, &segment);
    MeasurablePoint beyondTheEnd(noSelection, ZkGePoint3d(5, 3, 0));
    ASSERT_TRUE(curve.canMeasure(beyondTheEnd, MeasureMgr::kDistance));
    Result result;
    ASSERT_TRUE(curve.measure(beyondTheEnd, MeasureMgr::kDistance, result));
    EXPECT_DOUBLE_EQ(result.value, 3) << "perpendicular, not to the end point";
    EXPECT_TRUE(result.firstPoint.isEqualTo(ZkGePoint3d(5, 0, 0)));
    EXPECT_EQ(result.secondPoint, ZkGePoint3d(5, 3, 0));
}

TEST(MeasurableCurve, DistanceToAPointUsesTheArcItself) {
    // A quarter circle from (1, 0) to (0, 1); (-2, 0) is nearest its end.
    const ZkGeCircArc3d arc(ZkGePoint3d::kOrigin, ZkGeVector3d::kZAxis, ZkGeVector3d::kXAxis, 1, 0,
                            kPi / 2);
    MeasurableCurve curve(noSelection, &arc);
    MeasurablePoint point(noSelection, ZkGePoint3d(-2, 0, 0));
    Result result;
    ASSERT_TRUE(curve.measure(point, MeasureMgr::kDistance, result));
    EXPECT_NEAR(result.value, std::sqrt(5.0), 1e-9);
    EXPECT_TRUE(result.firstPoint.isEqualTo(ZkGePoint3d(0, 1, 0)));
}

TEST(MeasurableCurve, DistanceBetweenCurvesIsTakenBetweenTheirNearestPoints) {
    const ZkGeLineSeg3d segment(ZkGePoint3d(-5, 3, 0), ZkGePoint3d(5, 3, 0));
    const ZkGeCircArc3d circle(ZkGePoint3d::kOrigin, ZkGeVector3d::kZAxis, 1);
    MeasurableCurve a(noSelection, &segment);
    MeasurableCurve b(noSelection, &circle);
    ASSERT_TRUE(a.canMeasure(b, MeasureMgr::kDistance));
    Result result;
    ASSERT_TRUE(a.measure(b, MeasureMgr::kDistance, result));
    EXPECT_NEAR(result.value, 2, 1e-7);
    EXPECT_TRUE(result.firstPoint.isEqualTo(ZkGePoint3d(0, 3, 0), ZkGeTol(1e-6, 1e-6)));
    EXPECT_TRUE(result.secondPoint.isEqualTo(ZkGePoint3d(0, 1, 0), ZkGeTol(1e-6, 1e-6)));
}

TEST(MeasurableCurve, AnglesAreMeasuredBetweenStraightCurvesOnly) {
    const ZkGeLineSeg3d horizontal(ZkGePoint3d(0, 0, 0), ZkGePoint3d(2, 0, 0));
    const ZkGeLineSeg3d diagonal(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 1, 0));
    const ZkGeCircArc3d circle(ZkGePoint3d::kOrigin, ZkGeVector3d::kZAxis, 1);
    MeasurableCurve a(noSelection, &horizontal);
    MeasurableCurve b(noSelection, &diagonal);
    MeasurableCurve c(noSelection, &circle);
    MeasurablePoint p(noSelection, ZkGePoint3d(1, 1, 1));
    EXPECT_TRUE(a.canMeasure(b, MeasureMgr::kAngle));
    EXPECT_FALSE(a.canMeasure(c, MeasureMgr::kAngle)) << "both curves must be straight";
    EXPECT_FALSE(c.canMeasure(a, MeasureMgr::kAngle));
    EXPECT_FALSE(a.canMeasure(p, MeasureMgr::kAngle));
    EXPECT_FALSE(a.canMeasure(b, MeasureMgr::kDeltaX));
    Result result;
    ASSERT_TRUE(a.measure(b, MeasureMgr::kAngle, result));
    EXPECT_NEAR(result.value, kPi / 4, 1e-12);
}

TEST(MeasurableCurve, TheCurveIsCopiedIntoModelSpace) {
    const ZkGeLineSeg3d segment(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0));
    MeasurableCurve curve(noSelection, &segment);
    ASSERT_NE(curve.curve(), &segment);
    EXPECT_TRUE(curve.curve()->isEqualTo(segment)) << "no selection: no placement";
    EXPECT_EQ(queryInterface<IMeasurableCurve>(static_cast<Measurable*>(&curve)),
              static_cast<IMeasurableCurve*>(&curve));
    EXPECT_EQ(queryInterface<IMeasurablePoint>(static_cast<Measurable*>(&curve)), nullptr);
}

} // namespace
} // namespace Kv::Geometry::MeasureTests
