// How curves share 2D points: the sketch's tolerant point index, find-or-make
// in sketches and groups, the collection of implicit points no geometry uses
// any more, and undo, redo and reopening keeping the index right.

#include "Sketch2DTestDocument.h"

#include "../storage/StorageTestSupport.h"

#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::Sketch2DTests {
namespace {

constexpr size_t npos = Managed::ManagedGroupEntity::npos;

class Point2DSharingTest : public ::testing::Test {
protected:
    StrongRef<Line2D> line(const ZkGePoint2d& a, const ZkGePoint2d& b) {
        return Line2D::make(doc.parent(), a, b);
    }
    Point2D* indexed(double x, double y) const {
        return sketch.queryPoint2D(ZkGePoint2d(x, y)).getTarget();
    }
    size_t points() const { return childrenOf<Point2D>(sketch).size(); }

    Sketch2DTestDocument doc;
    Sketch2D& sketch = *doc.sketch;
    const double tol = ZkGeContext::gTol.equalPoint();
};

TEST_F(Point2DSharingTest, TheIndexIsOrderedByXThenYWithinTolerance) {
    StrongRef<Point2D> first = Point2D::make(doc.parent(), ZkGePoint2d(1, 1), false);
    EXPECT_EQ(indexed(1 + tol / 2, 1 - tol / 2), first.get());
    EXPECT_EQ(indexed(1 + 3 * tol, 1), nullptr);
    EXPECT_EQ(indexed(1, 1 + 3 * tol), nullptr);
    // An equivalent position takes the entry over.
    StrongRef<Point2D> second = Point2D::make(doc.parent(), ZkGePoint2d(1 + tol / 2, 1), false);
    EXPECT_EQ(indexed(1, 1), second.get());

    // Far apart in x the y order is the opposite; within tolerance in x, y decides.
    StrongRef<Point2D> left = Point2D::make(doc.parent(), ZkGePoint2d(0, 9), false);
    StrongRef<Point2D> right = Point2D::make(doc.parent(), ZkGePoint2d(1.5, -9), false);
    StrongRef<Point2D> high = Point2D::make(doc.parent(), ZkGePoint2d(1 + tol / 2, 2), false);
    EXPECT_EQ(indexed(0, 9), left.get());
    EXPECT_EQ(indexed(1.5, -9), right.get());
    EXPECT_EQ(indexed(1, 2), high.get());
    EXPECT_EQ(indexed(1, 1), second.get());

    sketch.removePoint2D(ZkGePoint2d(1, 1 + tol / 2));
    EXPECT_EQ(indexed(1, 1), nullptr);
    sketch.removePoint2D(ZkGePoint2d(5, 5)); // absent: nothing happens
    EXPECT_EQ(indexed(1, 2), high.get());
}

TEST_F(Point2DSharingTest, LinesShareImplicitPointsInSketchesAndInGroups) {
    StrongRef<Line2D> a = line({0, 0}, {1, 0});
    StrongRef<Line2D> b = line({1, tol / 2}, {1, 1});
    EXPECT_EQ(a->endPoint(), b->startPoint());
    EXPECT_TRUE(a->endPoint()->wasImplicitlyCreated());
    EXPECT_EQ(b->start(), ZkGePoint2d(1, 0)); // the shared point is not moved
    EXPECT_EQ(points(), 3u);

    // A group searches its own children and keeps out of the sketch's index.
    StrongRef<GeometryGroup2D> group = GeometryGroup2D::make(doc.parent());
    const StrongRef<Entity> inGroup(group.get());
    StrongRef<Line2D> c = Line2D::make(inGroup, ZkGePoint2d(1, 0), ZkGePoint2d(2, 0));
    StrongRef<Line2D> d = Line2D::make(inGroup, ZkGePoint2d(2, 0), ZkGePoint2d(3, 0));
    EXPECT_EQ(c->endPoint(), d->startPoint());
    EXPECT_NE(c->startPoint(), a->endPoint());
    EXPECT_EQ(indexed(2, 0), nullptr);
    EXPECT_EQ(points(), 3u);
}

TEST_F(Point2DSharingTest, ImplicitPointsGoWithTheirLastUserAndExplicitOnesStay) {
    StrongRef<Point2D> kept = Point2D::make(doc.parent(), ZkGePoint2d(3, 3), false);
    StrongRef<Line2D> a = line({0, 0}, {1, 0});
    StrongRef<Line2D> b = line({1, 0}, {3, 3});
    EXPECT_EQ(b->endPoint(), kept);
    sketch.remove(StrongRef<GeometryBase2D>(a));
    EXPECT_EQ(points(), 2u);
    EXPECT_EQ(indexed(0, 0), nullptr);
    sketch.remove(StrongRef<GeometryBase2D>(b));
    EXPECT_EQ(childrenOf<Point2D>(sketch), std::vector<StrongRef<Point2D>>{kept});
    EXPECT_EQ(indexed(1, 0), nullptr);
    EXPECT_TRUE(a->startPoint().isNull() && a->endPoint().isNull());
}

TEST_F(Point2DSharingTest, RebindingAnEndCollectsTheOldPointUnlessTheOtherEndHoldsIt) {
    StrongRef<Line2D> a = line({0, 0}, {1, 0});
    StrongRef<Line2D> b = line({1, 0}, {1, 1});
    StrongRef<Point2D> oldStart = a->startPoint();
    a->translate(ZkGeVector2d(0, 2));
    EXPECT_EQ(a->start(), ZkGePoint2d(0, 2));
    EXPECT_EQ(a->end(), ZkGePoint2d(1, 2));
    EXPECT_EQ(sketch.indexOf(oldStart.get()), npos);
    EXPECT_EQ(b->start(), ZkGePoint2d(1, 0)); // still used by b, so kept
    EXPECT_EQ(points(), 4u);

    StrongRef<Line2D> dot = line({7, 7}, {7, 7});
    StrongRef<Point2D> both = dot->startPoint();
    ASSERT_EQ(both, dot->endPoint());
    dot->start(ZkGePoint2d(8, 8));
    EXPECT_NE(sketch.indexOf(both.get()), npos);
}

TEST_F(Point2DSharingTest, UndoAndRedoOfCreationAndDeletionTakeTheIndexAlong) {
    transact(*doc.asset, [&] { line({0, 0}, {2, 0}); });
    StrongRef<Point2D> start(indexed(0, 0));
    ASSERT_TRUE(doc.asset->undo());
    EXPECT_EQ(sketch.childCount(), 0u);
    EXPECT_EQ(indexed(0, 0), nullptr);
    ASSERT_TRUE(doc.asset->redo());
    EXPECT_EQ(indexed(0, 0), start.get());

    StrongRef<Line2D> made = childrenOf<Line2D>(sketch).front();
    const std::string before = StorageTests::describe(*doc.asset);
    transact(*doc.asset, [&] { sketch.remove(StrongRef<GeometryBase2D>(made)); });
    ASSERT_EQ(points(), 0u);
    ASSERT_TRUE(doc.asset->undo());
    EXPECT_EQ(StorageTests::describe(*doc.asset), before); // the line has its points again
    EXPECT_EQ(indexed(2, 0), made->endPoint().get());
    ASSERT_TRUE(doc.asset->redo());
    EXPECT_EQ(indexed(2, 0), nullptr);

    // A point that left with undo is not handed to new geometry.
    ASSERT_TRUE(doc.asset->undo());
    transact(*doc.asset, [&] { made->end(ZkGePoint2d(4, 4)); });
    const StrongRef<Point2D> undone = made->endPoint();
    ASSERT_TRUE(doc.asset->undo());
    EXPECT_EQ(indexed(4, 4), nullptr);
    EXPECT_NE(line({4, 4}, {5, 5})->startPoint(), undone);
    EXPECT_EQ(indexed(2, 0), made->endPoint().get());
}

TEST_F(Point2DSharingTest, ReopeningADocumentRefillsTheIndex) {
    line({0, 0}, {1, 0});
    Point2D::make(doc.parent(), ZkGePoint2d(5, 5), false);
    std::unique_ptr<Asset> loaded = saveAndOpen(*doc.asset);
    StrongRef<Component> component = Component::find(loaded->defaultSegment());
    ASSERT_TRUE(component);
    StrongRef<Sketch2D> reopened = childrenOf<Sketch2Ds>(*component).at(0)->sketch2D(0);
    ASSERT_TRUE(reopened);
    for (const StrongRef<Point2D>& point : childrenOf<Point2D>(*reopened))
        EXPECT_EQ(reopened->queryPoint2D(point->point()).getTarget(), point.get());
    Line2D::make(StrongRef<Entity>(reopened.get()), ZkGePoint2d(1, 0), ZkGePoint2d(2, 0));
    EXPECT_EQ(childrenOf<Point2D>(*reopened).size(), 4u);
    reopened.reset();
    component.reset();
    loaded->clear();
}

} // namespace
} // namespace Kv::Geometry::Sketch2DTests
