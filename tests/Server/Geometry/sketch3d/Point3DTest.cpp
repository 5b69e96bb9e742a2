// The sketch point: sharing (findOrMake, isShareablePoint, isHandleUses),
// removal once unused, purge and reference queries, and how its own changes
// are recorded.

#include "../curves3d/SketchTestDocument.h"

#include "Geometry/sketch3d/GeometryGroup3D.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/Transaction.h"
#include "ZkGeContext.h"
#include "ZkGeNurbCurve3d.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::Tests {
namespace {

using SketchTests::ChangeRecorder;

struct PointDocument : SketchTestDocument {
    StrongRef<Point3D> at(double x, double y = 0, double z = 0) {
        return Point3D::findOrMake(parent, ZkGePoint3d(x, y, z));
    }
    StrongRef<Line3D> line(const ZkGePoint3d& a, const ZkGePoint3d& b) {
        return Line3D::make(parent, Point3D::findOrMake(parent, a), Point3D::findOrMake(parent, b));
    }
    // A spline through `positions` on shared points; closed when the curve
    // ends where it starts (the list then leaves out the repeated start).
    StrongRef<Spline3D> spline(const std::vector<ZkGePoint3d>& positions, bool closed) {
        ZkArray<ZkGePoint3d> fit;
        std::vector<StrongRef<Point3D>> points;
        for (const ZkGePoint3d& p : positions) {
            fit.append(p);
            points.push_back(Point3D::findOrMake(parent, p));
        }
        if (closed)
            fit.append(positions.front());
        const ZkGeNurbCurve3d curve(fit);
        StrongRef<Spline3D> made = Spline3D::make(parent, &curve, points);
        for (const StrongRef<Point3D>& p : points)
            p->addCurveUse(PassiveRef<Curve3D>(made));
        return made;
    }
};

const double tol = ZkGeContext::gTol.equalPoint();

// ---- sharing

TEST(Point3DSharing, PositionsWithinTheToleranceShareOnePoint) {
    PointDocument doc;
    StrongRef<Point3D> first = doc.at(1, 2, 3);
    EXPECT_EQ(first->curveUses()->parentEntity(), first.get()) << "made with its use list";
    EXPECT_EQ(doc.at(1 + tol / 2, 2, 3).get(), first.get());
    EXPECT_EQ(doc.at(1, 2 - tol / 2, 3 + tol / 4).get(), first.get());
    EXPECT_NE(doc.at(1 + 3 * tol, 2, 3).get(), first.get());
    EXPECT_EQ(doc.sketch->points().size(), 2u);
    EXPECT_FALSE(Point3D::findOrMake(StrongRef<Entity>(), ZkGePoint3d(0, 0, 0)));
}

TEST(Point3DSharing, FirstMatchInChildOrderWins) {
    PointDocument doc;
    StrongRef<Point3D> early = Point3D::make(doc.parent, ZkGePoint3d(tol * 0.75, 0, 0));
    StrongRef<Point3D> late = Point3D::make(doc.parent, ZkGePoint3d(0, 0, 0));
    EXPECT_EQ(doc.at(0, 0, 0).get(), early.get()) << "not the nearest, the first";
    doc.transact([&] { doc.sketch->moveChild(late.get(), 0); });
    EXPECT_EQ(doc.at(0, 0, 0).get(), late.get());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(doc.at(0, 0, 0).get(), early.get());
}

TEST(Point3DSharing, OnlyTheParentsOwnChildrenAreSearched) {
    PointDocument doc;
    StrongRef<GeometryGroup3D> group = GeometryGroup3D::make(PassiveRef<Entity>(doc.sketch));
    StrongRef<Point3D> grouped = Point3D::make(StrongRef<Entity>(group), ZkGePoint3d(1, 1, 1));
    EXPECT_EQ(doc.at(1, 1, 1)->parentEntity(), doc.sketch.get());
    EXPECT_EQ(Point3D::findOrMake(StrongRef<Entity>(group), ZkGePoint3d(1, 1, 1)).get(),
              grouped.get());
}

TEST(Point3DSharing, LineEndsAreShareableDefiningPointsAreNot) {
    PointDocument doc;
    StrongRef<Point3D> loose = doc.at(9, 9, 9);
    EXPECT_FALSE(loose->isShareablePoint()) << "no curve uses it";
    StrongRef<Line3D> line = doc.line(ZkGePoint3d(0, 0, 0), ZkGePoint3d(4, 0, 0));
    EXPECT_TRUE(line->startPoint()->isShareablePoint());
    EXPECT_FALSE(line->startPoint()->isHandleUses());

    StrongRef<CircArc3D> arc = CircArc3D::make(doc.parent, doc.at(10, 0, 0), doc.at(12, 0, 0),
                                               doc.at(10, 2, 0), ZkGeVector3d::kZAxis);
    ASSERT_TRUE(arc);
    for (const StrongRef<Point3D>& p : {arc->centerPoint(), arc->startPoint(), arc->endPoint()})
        p->addCurveUse(PassiveRef<Curve3D>(arc));
    EXPECT_FALSE(arc->centerPoint()->isShareablePoint()) << "an arc centre";
    EXPECT_TRUE(arc->startPoint()->isShareablePoint());

    StrongRef<EllipticArc3D> ellipse = EllipticArc3D::make(
        doc.parent, doc.at(20, 0, 0), ZkGeVector3d(3, 0, 0), ZkGeVector3d(0, 1, 0));
    ASSERT_TRUE(ellipse);
    ellipse->centerPoint()->addCurveUse(PassiveRef<Curve3D>(ellipse));
    EXPECT_FALSE(ellipse->centerPoint()->isShareablePoint()) << "an ellipse centre";

    doc.spline({ZkGePoint3d(30, 0, 0), ZkGePoint3d(31, 1, 0), ZkGePoint3d(32, 0, 0)}, false);
    EXPECT_FALSE(doc.at(31, 1, 0)->isShareablePoint()) << "an interior fit point";
}

TEST(Point3DSharing, HandlePointsAreNeverShared) {
    PointDocument doc;
    StrongRef<Point3D> start = doc.at(0, 0, 0);
    StrongRef<Point3D> end = doc.at(1, 0, 0);
    StrongRef<TangentHandle> tangent = TangentHandle::make(doc.parent, start, end);
    start->addCurveUse(PassiveRef<Curve3D>(tangent));
    EXPECT_TRUE(start->isHandleUses());
    EXPECT_FALSE(start->isShareablePoint());

    StrongRef<CurvatureHandle> curvature =
        CurvatureHandle::make(doc.parent, ZkGePoint3d(5, 0, 0), ZkGePoint3d(6, 0, 0),
                              ZkGePoint3d(5, 1, 0), ZkGeVector3d::kZAxis);
    ASSERT_TRUE(curvature);
    StrongRef<Point3D> held = curvature->startPoint();
    held->addCurveUse(PassiveRef<Curve3D>(curvature));
    EXPECT_TRUE(held->isHandleUses());
    EXPECT_FALSE(held->isShareablePoint());
    EXPECT_FALSE(doc.at(7, 7, 7)->isHandleUses()) << "no uses at all";
}

// ---- removal

TEST(Point3DRemoval, PointGoesOnlyWhenNoCurveUsesIt) {
    PointDocument doc;
    StrongRef<Line3D> line;
    doc.transact([&] { line = doc.line(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0)); });
    StrongRef<Point3D> start = line->startPoint();
    start->removeIfNoUse();
    EXPECT_EQ(start->parentEntity(), doc.sketch.get());
    const std::string before = describeModel(doc.asset);
    doc.transact([&] {
        start->removeCurveUse(PassiveRef<Curve3D>(line));
        start->removeIfNoUse();
    });
    EXPECT_EQ(doc.sketch->indexOf(start.get()), Managed::ManagedGroupEntity::npos);
    EXPECT_EQ(doc.sketch->pointIndex().find(ZkGePoint3d(0, 0, 0), ZkGeContext::gTol), nullptr)
        << "no longer found";
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(describeModel(doc.asset), before);
    EXPECT_EQ(doc.at(0, 0, 0).get(), start.get()) << "found again after undo";
}

TEST(Point3DRemoval, ParentBeingDeletedKeepsItsPoints) {
    PointDocument doc;
    StrongRef<Point3D> point = doc.at(1, 1, 1);
    doc.sketch->scheduleForDeletion(true);
    point->removeIfNoUse();
    EXPECT_NE(doc.sketch->indexOf(point.get()), Managed::ManagedGroupEntity::npos);
    doc.sketch->scheduleForDeletion(false);
    doc.transact([&] { point->removeIfNoUse(); });
    EXPECT_EQ(doc.sketch->indexOf(point.get()), Managed::ManagedGroupEntity::npos);
}

// ---- purge and references

TEST(Point3DQueries, PurgeableOnlyWhenEveryUseIsEveryGivenCurve) {
    PointDocument doc;
    StrongRef<Line3D> a = doc.line(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0));
    StrongRef<Point3D> end = a->startPoint();
    EXPECT_TRUE(end->isPurgeable({}));
    EXPECT_TRUE(end->isPurgeable({PassiveRef<Curve3D>(a)}));
    EXPECT_TRUE(end->isPurgeable({PassiveRef<Curve3D>(a), PassiveRef<Curve3D>(a)}));
    StrongRef<Line3D> b = doc.line(ZkGePoint3d(0, 0, 0), ZkGePoint3d(0, 1, 0));
    EXPECT_FALSE(end->isPurgeable({PassiveRef<Curve3D>(a)})) << "b is used too";
    EXPECT_FALSE(end->isPurgeable({PassiveRef<Curve3D>(a), PassiveRef<Curve3D>(b)}));
    EXPECT_TRUE(doc.at(5, 5, 5)->isPurgeable({PassiveRef<Curve3D>(a)})) << "no uses";
}

TEST(Point3DQueries, ReferencingGeometryIsFoundDepthFirstThroughGroups) {
    PointDocument doc;
    StrongRef<Point3D> hub = doc.at(0, 0, 0);
    StrongRef<Line3D> direct = Line3D::make(doc.parent, hub, doc.at(1, 0, 0));
    StrongRef<GeometryGroup3D> group = GeometryGroup3D::make(PassiveRef<Entity>(doc.sketch));
    StrongRef<Line3D> grouped =
        Line3D::make(StrongRef<Entity>(group), hub,
                     Point3D::findOrMake(StrongRef<Entity>(group), ZkGePoint3d(0, 1, 0)));
    StrongRef<Line3D> later = Line3D::make(doc.parent, doc.at(0, 0, 1), hub);
    doc.line(ZkGePoint3d(5, 5, 5), ZkGePoint3d(6, 6, 6));

    std::vector<StrongRef<GeometryBase3D>> found{StrongRef<GeometryBase3D>(group)};
    hub->referencingGeometry(StrongRef<Managed::ManagedGroupEntity>(doc.sketch), found);
    ASSERT_EQ(found.size(), 4u) << "appended, not cleared";
    EXPECT_EQ(found[1].get(), direct.get());
    EXPECT_EQ(found[2].get(), grouped.get());
    EXPECT_EQ(found[3].get(), later.get());
}

TEST(Point3DQueries, DistanceToACurveAndThePickAtThePoint) {
    PointDocument doc;
    StrongRef<Point3D> point = doc.at(3, 4, 0);
    EXPECT_NEAR(point->distanceTo(*doc.line(ZkGePoint3d(-10, 0, 0), ZkGePoint3d(10, 0, 0))), 4.0,
                1e-12);
    ZkGePoint3d hit;
    ZkGeMatrix3d out;
    const ZkGeMatrix3d placement = ZkGeMatrix3d::translation(ZkGeVector3d(0, 0, 9));
    EXPECT_TRUE(point->onProvideNominalHitInfo(nullptr, placement, hit, out));
    EXPECT_EQ(hit, ZkGePoint3d(3, 4, 0));
    EXPECT_EQ(out, placement);
    EXPECT_FALSE(point->hasLines());
    EXPECT_FALSE(point->references(point));
}

// ---- recorded changes

TEST(Point3DChanges, EachSetterRecordsItsKindOfChange) {
    PointDocument doc;
    StrongRef<Point3D> point = doc.at(0, 0, 0);
    StrongRef<Line3D> line = doc.line(ZkGePoint3d(1, 0, 0), ZkGePoint3d(2, 0, 0));
    ChangeRecorder recorder({point.get(), point->curveUses().get()});
    const std::string before = describeModel(doc.asset);
    doc.transact([&] {
        point->point(ZkGePoint3d(0, 1, 0));
        point->translate(ZkGeVector3d(1, 0, 0));
        point->fixed(true);
        point->addCurveUse(PassiveRef<Curve3D>(line));
    });
    EXPECT_EQ(point->point(), ZkGePoint3d(1, 1, 0));
    EXPECT_TRUE(point->isFixed());
    const auto changes = recorder.changesOf(point.get());
    ASSERT_EQ(changes.size(), 4u);
    EXPECT_EQ(changes[0].changeType, unsigned(kChangeGeometry));
    EXPECT_EQ(changes[1].changeType, unsigned(kChangeGeometry));
    EXPECT_EQ(changes[2].changeType, unsigned(kChangeEverything));
    EXPECT_EQ(changes[3].changeType, unsigned(kChangeAppearance));
    for (const auto& change : changes)
        EXPECT_EQ(change.kind, kTransactDo);
    const auto listChanges = recorder.changesOf(point->curveUses().get());
    ASSERT_EQ(listChanges.size(), 1u) << "the list records its own change inside the point's";
    EXPECT_EQ(listChanges[0].changeType, unsigned(kChangeProperties));
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(describeModel(doc.asset), before);
}

TEST(Point3DChanges, VisibilityWithoutUndoRecordIsNotUndone) {
    PointDocument doc;
    StrongRef<Point3D> point = doc.at(0, 0, 0);
    ChangeRecorder recorder({point.get()});
    doc.asset.beginTransaction("display");
    point->isVisibleDontTransact(false);
    EXPECT_TRUE(doc.asset.currentTransaction()->empty()) << "nothing was recorded";
    doc.asset.commitTransaction();
    ASSERT_EQ(recorder.changes().size(), 1u);
    EXPECT_EQ(recorder.changes()[0].kind, kTransactNoUndo);
    EXPECT_EQ(recorder.changes()[0].changeType, unsigned(kChangeAppearance));
    EXPECT_FALSE(point->isVisible());
}

} // namespace
} // namespace Kv::Geometry::Tests
