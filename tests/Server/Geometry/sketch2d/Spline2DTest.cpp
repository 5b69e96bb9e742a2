// Fit-point splines of a 2D sketch: shared end points that follow the fit
// points, the halving limit for freehand input, and debug texts.

#include "Sketch2DTestDocument.h"

#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Spline2D.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace Kv::Geometry::Sketch2DTests {
namespace {

using Points = std::vector<ZkGePoint2d>;

class Spline2DTest : public ::testing::Test {
protected:
    StrongRef<Spline2D> spline(const ZkArray<ZkGePoint2d>& fitPoints) {
        return Spline2D::make(doc.parent(), fitPoints);
    }
    static Points fitPointsOf(const Spline2D& s) {
        ZkArray<ZkGePoint2d> points;
        s.getFitPoints(points);
        return points.asStdVector();
    }
    size_t points() const { return childrenOf<Point2D>(*doc.sketch).size(); }

    Sketch2DTestDocument doc;
};

TEST_F(Spline2DTest, EndsAreSharedPointsAtTheFirstAndLastFitPoints) {
    StrongRef<Line2D> line = Line2D::make(doc.parent(), ZkGePoint2d(-1, 0), ZkGePoint2d(0, 0));
    StrongRef<Spline2D> s = spline({{0, 0}, {1, 1}, {2, 0}, {3, 1}, {4, 0}, {5, 1}, {6, 0}});
    EXPECT_EQ(s->startPoint(), line->endPoint());
    EXPECT_EQ(s->endPoint()->point(), ZkGePoint2d(6, 0));
    EXPECT_EQ(s->fitPoint(1), ZkGePoint2d(1, 1));
    EXPECT_EQ(s->fitPointsLimit(), 0u);
    EXPECT_EQ(points(), 3u); // inner fit points are no entities
    EXPECT_THAT(s->toString(),
                ::testing::StartsWith(L"Spline2D from (0, 0) to (6, 0) with 7 fit points (Base "));

    // The end follows a replaced last point onto another curve's point.
    s->replaceLastFitPoint(ZkGePoint2d(-1, 0));
    EXPECT_EQ(s->endPoint(), line->startPoint());
    EXPECT_EQ(points(), 2u); // (6, 0) was collected
}

TEST_F(Spline2DTest, WithALimitTheFifthPointFirstHalvesTheList) {
    StrongRef<Spline2D> s = spline({{0, 0}, {1, 1}});
    s->setFitPointLimit(4);
    s->addFitPoint(ZkGePoint2d(2, 0));
    s->addFitPoint(ZkGePoint2d(3, 1));
    EXPECT_EQ(s->fitPoints(), 4u);
    s->addFitPoint(ZkGePoint2d(4, 0));
    EXPECT_EQ(fitPointsOf(*s), (Points{{0, 0}, {2, 0}, {4, 0}}));
    EXPECT_EQ(s->endPoint()->point(), ZkGePoint2d(4, 0));
    EXPECT_EQ(points(), 2u); // ends drawn through on the way were implicit

    StrongRef<Spline2D> unlimited = spline({{0, 5}, {1, 5}});
    for (int i = 2; i < 12; ++i)
        unlimited->addFitPoint(ZkGePoint2d(i, 5));
    EXPECT_EQ(unlimited->fitPoints(), 12u);
}

TEST_F(Spline2DTest, AClosedSplineSharesOnePointAndResettingCollectsNothing) {
    StrongRef<Spline2D> s = spline({{0, 0}, {1, 1}, {2, 0}, {0, 0}});
    ASSERT_EQ(s->startPoint(), s->endPoint());
    const StrongRef<Point2D> shared = s->startPoint();
    s->setFitPoints({{0, 0}, {1, 2}, {2, 0}, {0, 0}});
    EXPECT_EQ(s->startPoint(), shared);
    EXPECT_EQ(s->endPoint(), shared);
    EXPECT_EQ(points(), 1u);
}

TEST_F(Spline2DTest, TranslatingMovesFitPointsAndEndsAndUndoes) {
    StrongRef<Spline2D> s = spline({{0, 0}, {1, 1}, {2, 0}});
    transact(*doc.asset, [&] { s->translate(ZkGeVector2d(0, 3)); });
    EXPECT_EQ(fitPointsOf(*s), (Points{{0, 3}, {1, 4}, {2, 3}}));
    EXPECT_EQ(s->startPoint()->point(), ZkGePoint2d(0, 3));
    EXPECT_EQ(s->endPoint()->point(), ZkGePoint2d(2, 3));
    EXPECT_EQ(points(), 2u);
    ASSERT_TRUE(doc.asset->undo());
    EXPECT_EQ(fitPointsOf(*s), (Points{{0, 0}, {1, 1}, {2, 0}}));
    EXPECT_EQ(s->startPoint()->point(), ZkGePoint2d(0, 0));

    doc.sketch->remove(StrongRef<GeometryBase2D>(s));
    EXPECT_EQ(points(), 0u);
}

} // namespace
} // namespace Kv::Geometry::Sketch2DTests
