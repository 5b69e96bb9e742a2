// Circular arcs of a 2D sketch: how the curve is built from points, which
// points it shares and keeps, and its debug texts.

#include "Sketch2DTestDocument.h"

#include "Geometry/sketch2d/Arc2D.h"
#include "Geometry/sketch2d/Point2D.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Kv::Geometry::Sketch2DTests {
namespace {

TEST(Arc2D, TheStartFixesTheRadiusAndTheEndOnlyItsDirection) {
    Sketch2DTestDocument doc;
    StrongRef<Arc2D> arc =
        Arc2D::make(doc.parent(), ZkGePoint2d(0, 0), ZkGePoint2d(2, 0), ZkGePoint2d(0, 5));
    ASSERT_TRUE(arc);
    EXPECT_DOUBLE_EQ(arc->radius(), 2.0);
    EXPECT_DOUBLE_EQ(arc->arcCurve().startAng(), 0.0);
    EXPECT_DOUBLE_EQ(arc->arcCurve().endAng(), 1.5707963267948966);
    EXPECT_FALSE(arc->isCircle());
    // Points are found or made centre first; the end point stays off the circle.
    const std::vector<StrongRef<Point2D>> points = childrenOf<Point2D>(*doc.sketch);
    EXPECT_EQ(points, (std::vector<StrongRef<Point2D>>{arc->centerPoint(), arc->startPoint(),
                                                       arc->endPoint()}));
    EXPECT_EQ(arc->endPoint()->point(), ZkGePoint2d(0, 5));
    EXPECT_THAT(arc->toString(), ::testing::StartsWith(
                                     L"Arc2D from (2, 0) to (0, 5) center (0, 0) radius 2 (Base "));

    // Made from the points themselves, the arc lives beside its centre.
    StrongRef<Arc2D> again = Arc2D::make(points[0], points[1], points[2]);
    EXPECT_EQ(again->parentEntity(), doc.sketch.get());
    EXPECT_EQ(again->arcCurve(), arc->arcCurve());
}

TEST(Arc2D, CirclesHaveACentreOnlyWhichOtherArcsMayShare) {
    Sketch2DTestDocument doc;
    StrongRef<Arc2D> a = Arc2D::make(doc.parent(), ZkGePoint2d(1, 1), 3.0);
    StrongRef<Arc2D> b = Arc2D::make(a->centerPoint(), 2.0);
    EXPECT_TRUE(a->isCircle());
    EXPECT_TRUE(a->startPoint().isNull() && a->endPoint().isNull());
    EXPECT_EQ(a->toString(), L"Arc2D is a circle center (1, 1) radius 3 (Base "
                             L"CommonBaseGroupEntity " +
                                 std::to_wstring(a->id()) + L" with 0 children))");
    ASSERT_EQ(a->centerPoint(), b->centerPoint());

    doc.sketch->remove(StrongRef<GeometryBase2D>(a));
    EXPECT_EQ(childrenOf<Point2D>(*doc.sketch).size(), 1u);
    doc.sketch->remove(StrongRef<GeometryBase2D>(b));
    EXPECT_TRUE(childrenOf<Point2D>(*doc.sketch).empty());
}

TEST(Arc2D, ReplacingTheCurveKeepsThePointsAndUndoes) {
    Sketch2DTestDocument doc;
    StrongRef<Arc2D> arc =
        Arc2D::make(doc.parent(), ZkGePoint2d(0, 0), ZkGePoint2d(1, 0), ZkGePoint2d(0, 1));
    const StrongRef<Point2D> start = arc->startPoint();
    const ZkGeCircArc2d before = arc->arcCurve();
    transact(*doc.asset, [&] { arc->arcCurve(ZkGeCircArc2d(ZkGePoint2d(5, 5), 4.0)); });
    EXPECT_EQ(arc->radius(), 4.0);
    EXPECT_EQ(arc->startPoint(), start);
    ASSERT_TRUE(doc.asset->undo());
    EXPECT_EQ(arc->arcCurve(), before);
}

} // namespace
} // namespace Kv::Geometry::Sketch2DTests
