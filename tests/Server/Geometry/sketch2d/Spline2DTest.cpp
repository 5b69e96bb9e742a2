// Fit-point splines of a 2D sketch: shared end points that follow the fit
// points through every edit, the halving limit for freehand input, the
// model box, deletion, undo, saving and debug texts.

#include "Sketch2DTestDocument.h"

#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Spline2D.h"
#include "Kv/Scene/SceneManager.h"
#include "Wyn/Graphics/ARenderNode.h"

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
    // The ends' positions, so that checks do not depend on which point
    // entity undo brings back.
    static Points endsOf(const Spline2D& s) {
        return {s.startPoint()->point(), s.endPoint()->point()};
    }

    Sketch2DTestDocument doc;
};

// ---- making and ends

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
    EXPECT_THAT(s->toString(),
                ::testing::StartsWith(L"Spline2D from (0, 0) to (-1, 0) with 7 fit points"));
}

TEST_F(Spline2DTest, MadeOnGivenPointsTheSplineLivesWithTheStartPoint) {
    StrongRef<GeometryGroup2D> group = GeometryGroup2D::make(doc.parent());
    const StrongRef<Entity> inGroup(group);
    StrongRef<Point2D> start = Point2D::make(inGroup, ZkGePoint2d(0, 0), false);
    StrongRef<Point2D> end = Point2D::make(inGroup, ZkGePoint2d(2, 0), false);
    StrongRef<Spline2D> s = Spline2D::make(start, end, {{0, 0}, {1, 1}, {2, 0}});
    ASSERT_TRUE(s);
    EXPECT_EQ(s->parentEntity(), group.get());
    EXPECT_EQ(s->startPoint(), start);
    EXPECT_EQ(s->endPoint(), end);
    EXPECT_EQ(s->fitPointsLimit(), 0u);

    // Nothing to bind the ends to: no spline.
    EXPECT_FALSE(spline({}));
    EXPECT_FALSE(Spline2D::make(StrongRef<Point2D>(), end, {{0, 0}, {2, 0}}));
    // An empty list would leave the ends nowhere, so it changes nothing.
    s->setFitPoints({});
    EXPECT_EQ(fitPointsOf(*s), (Points{{0, 0}, {1, 1}, {2, 0}}));
    // A curve without fit data leaves the ends where they were, and there is
    // no last fit point to replace.
    s->splineCurve(ZkGeNurbCurve2d());
    s->replaceLastFitPoint(ZkGePoint2d(9, 9));
    EXPECT_EQ(s->fitPoints(), 0u);
    EXPECT_EQ(s->startPoint(), start);
    EXPECT_EQ(s->endPoint(), end);
}

TEST_F(Spline2DTest, AClosedSplineSharesOnePointThroughEdits) {
    StrongRef<Spline2D> s = spline({{0, 0}, {1, 1}, {2, 0}, {0, 0}});
    ASSERT_EQ(s->startPoint(), s->endPoint());
    const StrongRef<Point2D> shared = s->startPoint();
    s->setFitPoints({{0, 0}, {1, 2}, {2, 0}, {0, 0}});
    EXPECT_EQ(s->startPoint(), shared);
    EXPECT_EQ(s->endPoint(), shared);
    EXPECT_EQ(points(), 1u);

    // Moved, both ends go to one new point and the old one is collected once.
    s->translate(ZkGeVector2d(1, 0));
    EXPECT_EQ(s->startPoint(), s->endPoint());
    EXPECT_EQ(s->startPoint()->point(), ZkGePoint2d(1, 0));
    EXPECT_EQ(points(), 1u);

    // Opening it keeps the start where it is.
    const StrongRef<Point2D> start = s->startPoint();
    s->replaceLastFitPoint(ZkGePoint2d(5, 5));
    EXPECT_EQ(s->startPoint(), start);
    EXPECT_EQ(s->endPoint()->point(), ZkGePoint2d(5, 5));
    EXPECT_EQ(points(), 2u);
}

TEST_F(Spline2DTest, AnAssignedCurveRebindsBothEndsAndUndoes) {
    StrongRef<Spline2D> s = spline({{0, 0}, {1, 1}, {2, 0}});
    const ZkGeNurbCurve2d before = s->splineCurve();
    const ZkGeNurbCurve2d curve({{5, 5}, {6, 7}, {8, 5}}, ZkGeVector2d(1, 1), ZkGeVector2d(1, -1));
    transact(*doc.asset, [&] { s->splineCurve(curve); });
    EXPECT_EQ(s->splineCurve(), curve);
    EXPECT_EQ(endsOf(*s), (Points{{5, 5}, {8, 5}}));
    EXPECT_EQ(points(), 2u); // the old ends were collected

    ASSERT_TRUE(doc.asset->undo());
    EXPECT_EQ(s->splineCurve(), before);
    EXPECT_EQ(endsOf(*s), (Points{{0, 0}, {2, 0}}));
    EXPECT_EQ(points(), 2u);
}

// ---- appending under a limit

TEST_F(Spline2DTest, WithALimitOfFourEveryFifthPointFirstHalvesTheList) {
    StrongRef<Spline2D> s = spline({{0, 0}, {1, 1}});
    s->setFitPointLimit(4);
    std::vector<unsigned int> counts;
    for (int i = 2; i <= 6; ++i) {
        s->addFitPoint(ZkGePoint2d(i, i % 2));
        counts.push_back(s->fitPoints());
    }
    EXPECT_EQ(counts, (std::vector<unsigned int>{3, 4, 3, 4, 3}));
    EXPECT_EQ(fitPointsOf(*s), (Points{{0, 0}, {4, 0}, {6, 0}}));
    EXPECT_EQ(endsOf(*s), (Points{{0, 0}, {6, 0}}));
    EXPECT_EQ(points(), 2u); // ends drawn through on the way were implicit

    StrongRef<Spline2D> unlimited = spline({{0, 5}, {1, 5}});
    for (int i = 2; i < 12; ++i)
        unlimited->addFitPoint(ZkGePoint2d(i, 5));
    EXPECT_EQ(unlimited->fitPoints(), 12u);
}

TEST_F(Spline2DTest, ALimitBelowTheCountOnlyActsOnTheNextAppend) {
    StrongRef<Spline2D> s = spline({{0, 0}, {1, 1}, {2, 0}, {3, 1}, {4, 0}, {5, 1}, {6, 0}});
    s->setFitPointLimit(3);
    EXPECT_EQ(s->fitPoints(), 7u);
    s->addFitPoint(ZkGePoint2d(7, 1));
    EXPECT_EQ(fitPointsOf(*s), (Points{{0, 0}, {2, 0}, {4, 0}, {6, 0}, {7, 1}}));
    EXPECT_EQ(s->endPoint()->point(), ZkGePoint2d(7, 1));
}

TEST_F(Spline2DTest, AHalvingAppendIsOneUndoStep) {
    StrongRef<Spline2D> s = spline({{0, 0}, {1, 1}, {2, 0}, {3, 1}});
    s->setFitPointLimit(4);
    transact(*doc.asset, [&] { s->addFitPoint(ZkGePoint2d(4, 0)); });
    ASSERT_EQ(s->fitPoints(), 3u);

    ASSERT_TRUE(doc.asset->undo());
    EXPECT_EQ(fitPointsOf(*s), (Points{{0, 0}, {1, 1}, {2, 0}, {3, 1}}));
    EXPECT_EQ(endsOf(*s), (Points{{0, 0}, {3, 1}}));
    EXPECT_EQ(points(), 2u);
    EXPECT_EQ(s->fitPointsLimit(), 4u);

    ASSERT_TRUE(doc.asset->redo());
    EXPECT_EQ(fitPointsOf(*s), (Points{{0, 0}, {2, 0}, {4, 0}}));
    EXPECT_EQ(endsOf(*s), (Points{{0, 0}, {4, 0}}));
    EXPECT_EQ(points(), 2u);
}

// ---- moving, drawing, deleting, saving

TEST_F(Spline2DTest, TranslatingMovesFitPointsAndEndsKeepingTangentsAndTolerance) {
    const ZkGeTol loose(1e-3, 1e-3);
    StrongRef<Spline2D> s = spline({{0, 0}, {9, 9}});
    s->splineCurve(
        ZkGeNurbCurve2d({{0, 0}, {1, 1}, {2, 0}}, ZkGeVector2d(0, 1), ZkGeVector2d(1, 0), loose));
    transact(*doc.asset, [&] { s->translate(ZkGeVector2d(0, 3)); });
    EXPECT_EQ(fitPointsOf(*s), (Points{{0, 3}, {1, 4}, {2, 3}}));
    EXPECT_EQ(endsOf(*s), (Points{{0, 3}, {2, 3}}));
    EXPECT_EQ(points(), 2u);
    ZkGeVector2d startTangent, endTangent;
    EXPECT_TRUE(s->splineCurve().getFitTangents(startTangent, endTangent));
    EXPECT_EQ(startTangent, ZkGeVector2d(0, 1));
    EXPECT_EQ(endTangent, ZkGeVector2d(1, 0));
    EXPECT_EQ(s->splineCurve().fitTolerance().equalPoint(), loose.equalPoint());

    ASSERT_TRUE(doc.asset->undo());
    EXPECT_EQ(fitPointsOf(*s), (Points{{0, 0}, {1, 1}, {2, 0}}));
    EXPECT_EQ(endsOf(*s), (Points{{0, 0}, {2, 0}}));
}

TEST_F(Spline2DTest, TheModelBoxHoldsTheFitPointsAndFollowsEdits) {
    StrongRef<Spline2D> s = spline({{0, 0}, {1, 1}, {2, 0}});
    // The control points reach above the top fit point; the box does not.
    ASSERT_GT(s->splineCurve().boundBlock().maxPoint().y, 1.0 + 1e-6);
    doc.asset->sceneManager().rootNode();
    auto box = [&] {
        return s->sceneNode()->modelBox();
    };
    EXPECT_EQ(box().minPoint(), ZkGePoint3d(0, 0, 0));
    EXPECT_EQ(box().maxPoint(), ZkGePoint3d(2, 1, 0));

    transact(*doc.asset, [&] { s->addFitPoint(ZkGePoint2d(4, -2)); });
    doc.asset->sceneManager().rootNode();
    EXPECT_EQ(box().minPoint(), ZkGePoint3d(0, -2, 0));
    EXPECT_EQ(box().maxPoint(), ZkGePoint3d(4, 1, 0));
}

TEST_F(Spline2DTest, DeletionCollectsOnlyUnsharedEndsAndUndoBringsThemBack) {
    StrongRef<Line2D> line = Line2D::make(doc.parent(), ZkGePoint2d(-1, 0), ZkGePoint2d(0, 0));
    StrongRef<Spline2D> s = spline({{0, 0}, {1, 1}, {2, 0}});
    ASSERT_EQ(points(), 3u);
    transact(*doc.asset, [&] { doc.sketch->remove(StrongRef<GeometryBase2D>(s)); });
    EXPECT_TRUE(childrenOf<Spline2D>(*doc.sketch).empty());
    EXPECT_EQ(points(), 2u); // the line keeps (0, 0)
    EXPECT_FALSE(s->startPoint());

    ASSERT_TRUE(doc.asset->undo());
    ASSERT_EQ(childrenOf<Spline2D>(*doc.sketch).size(), 1u);
    EXPECT_EQ(points(), 3u);
    EXPECT_EQ(s->startPoint(), line->endPoint());
    EXPECT_EQ(s->endPoint()->point(), ZkGePoint2d(2, 0));
}

TEST_F(Spline2DTest, SavingKeepsTheExactCurveTheLimitAndSharedEnds) {
    Line2D::make(doc.parent(), ZkGePoint2d(-1, 0), ZkGePoint2d(0, 0));
    StrongRef<Spline2D> s = spline({{0, 0}, {9, 9}});
    const ZkGeNurbCurve2d curve({{0, 0}, {1, 2}, {3, -1}, {4, 0}}, ZkGeVector2d(1, 0),
                                ZkGeVector2d(0, -1), ZkGeTol(1e-4, 1e-4));
    s->splineCurve(curve);
    s->setFitPointLimit(5);

    std::unique_ptr<Asset> loaded = saveAndOpen(*doc.asset);
    StrongRef<Sketch2D> sketch =
        childrenOf<Sketch2Ds>(*Component::find(loaded->defaultSegment())).front()->sketch2D(0);
    ASSERT_TRUE(sketch);
    const std::vector<StrongRef<Spline2D>> splines = childrenOf<Spline2D>(*sketch);
    ASSERT_EQ(splines.size(), 1u);
    const StrongRef<Spline2D> back = splines.front();
    EXPECT_EQ(back->splineCurve(), curve);
    EXPECT_EQ(back->fitPointsLimit(), 5u);
    EXPECT_EQ(back->startPoint(), childrenOf<Line2D>(*sketch).front()->endPoint());
    EXPECT_EQ(back->endPoint()->point(), ZkGePoint2d(4, 0));
    EXPECT_EQ(back->toString(), s->toString());

    sketch.reset();
    loaded->clear();
}

} // namespace
} // namespace Kv::Geometry::Sketch2DTests
