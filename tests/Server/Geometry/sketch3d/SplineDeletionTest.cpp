// Deleting what splines hold: fit points (as long as the splines keep enough
// of them: two when open, three when closed, and no line uses them) and
// tangent and curvature handles, through the requests the entities offer,
// with the splines fitted again afterwards.

#include "../curves3d/SketchTestDocument.h"

#include "Kv/DataModel/Request.h"
#include "Kv/DataModel/Status.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::Tests {
namespace {

// A spline that counts its fits.
class CountingSpline : public Spline3D {
public:
    static StrongRef<CountingSpline> make(const StrongRef<Entity>& parent,
                                          const std::vector<ZkGePoint3d>& positions) {
        const ZkArray<ZkGePoint3d> ends{positions.front(), positions.back()};
        StrongRef<CountingSpline> spline(
            new CountingSpline(parent.get(), ZkGeKnotVector{0, 0, 1, 1}, ends));
        spline->postCreation(kTransactDo);
        for (size_t i = 1; i + 1 < positions.size(); ++i)
            spline->addPointUse(Point3D::make(parent, positions[i]));
        spline->updateCurve();
        return spline;
    }
    void solveCurve() override {
        ++fits;
        Spline3D::solveCurve();
    }
    int fits = 0;

private:
    CountingSpline(Entity* parent, const ZkGeKnotVector& knots, const ZkArray<ZkGePoint3d>& ends)
        : Spline3D(parent, 1, knots, ends, {}, false) {}
};

class SplineDeletionTest : public ::testing::Test {
protected:
    SketchTestDocument doc;
    const StrongRef<Entity>& parent = doc.parent;
};

TEST_F(SplineDeletionTest, AFitPointGoesWhenTheSplineKeepsEnoughAndTheSplineIsFittedOnce) {
    const std::vector<ZkGePoint3d> positions{{0, 0, 0}, {1, 2, 0}, {3, 1, 0}, {4, 3, 0}};
    StrongRef<CountingSpline> spline;
    doc.transact([&] { spline = CountingSpline::make(parent, positions); });
    const StrongRef<Point3D> interior = spline->fitPoint(1);
    spline->fits = 0;
    doc.deleteThroughRequest(*interior);
    EXPECT_EQ(spline->fitPoints(), 3);
    EXPECT_FALSE(doc.inSketch(interior.get()));
    EXPECT_EQ(spline->fits, 1);
    EXPECT_GT(spline->splineCurve().distanceTo(interior->point()), 0.1) << "no longer through it";

    doc.deleteThroughRequest(*spline->fitPoint(1));
    EXPECT_EQ(spline->fitPoints(), 2);

    // Two are the fewest an open spline keeps: the point stays.
    const StrongRef<Point3D> end = spline->endPoint();
    const ZkGeNurbCurve3d before = spline->splineCurve();
    EXPECT_FALSE(end->onCanDelete(ObjectPath::toEntity(end.get())));
    Request* request = end->onProvideDeleteRequest(ObjectPath::toEntity(end.get()));
    Status status;
    request->execute(status);
    request->destroy();
    EXPECT_TRUE(doc.inSketch(end.get()));
    EXPECT_EQ(spline->endPoint(), end);
    EXPECT_EQ(spline->splineCurve(), before);

    ASSERT_TRUE(doc.asset.undo());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(spline->fitPoints(), 4);
    EXPECT_TRUE(doc.inSketch(interior.get()));
    EXPECT_EQ(spline->fitPoint(1), interior);
}

TEST_F(SplineDeletionTest, AClosedSplineKeepsThreeAndAnOpenOneReplacesAnEndByItsNeighbour) {
    StrongRef<Spline3D> loop;
    StrongRef<Spline3D> open;
    doc.transact([&] {
        loop = Spline3D::make(
            parent, ZkArray<ZkGePoint3d>{{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 0, 0}}, true);
        open = Spline3D::make(
            parent, ZkArray<ZkGePoint3d>{{5, 0, 0}, {6, 1, 0}, {7, 0, 0}, {8, 1, 0}}, false);
    });
    EXPECT_FALSE(loop->fitPoint(1)->onCanDelete(ObjectPath::toEntity(loop->fitPoint(1).get())));
    StrongRef<Point3D> loose = Point3D::make(parent, ZkGePoint3d(50, 0, 0));
    EXPECT_TRUE(loose->onCanDelete(ObjectPath::toEntity(loose.get())));
    EXPECT_EQ(loose->onProvideDeleteRequest(ObjectPath::toEntity(doc.sketch.get())), nullptr)
        << "a path ending elsewhere";
    const StrongRef<Point3D> start = open->startPoint();
    const StrongRef<Point3D> next = open->fitPoint(1);
    doc.deleteThroughRequest(*start);
    EXPECT_EQ(open->startPoint(), next);
    EXPECT_FALSE(doc.inSketch(start.get()));
    EXPECT_LE(open->splineCurve().startPoint().distanceTo(next->point()), 1e-9);
    // A point a line also uses cannot go, be it an end or an interior point.
    Line3D::make(parent, open->end(), ZkGePoint3d(9, 9, 0));
    Line3D::make(parent, open->fitPoint(1), Point3D::make(parent, ZkGePoint3d(9, 0, 0)));
    for (const StrongRef<Point3D>& shared : {open->endPoint(), open->fitPoint(1)})
        EXPECT_FALSE(shared->onCanDelete(ObjectPath::toEntity(shared.get())));
}

TEST_F(SplineDeletionTest, DeletingAHandleTakesItsPointsAndRefitsTheSpline) {
    StrongRef<Spline3D> spline;
    StrongRef<TangentHandle> tangent;
    StrongRef<CurvatureHandle> curvature;
    doc.transact([&] {
        spline = Spline3D::make(
            parent, ZkArray<ZkGePoint3d>{{0, 0, 0}, {2, 2, 0}, {4, 0, 0}, {6, 2, 0}}, false);
        tangent = TangentHandle::make(parent, spline->fitPoint(1)->point(), ZkGeVector3d(3, 0, 0));
        spline->addTangentUse(1, tangent);
        curvature = CurvatureHandle::make(
            parent,
            CurvatureHandle::arcFromCurvature(ZkGeVector3d(0, 1, 0), spline->fitPoint(2)->point()));
        spline->addCurvatureUse(2, curvature);
        spline->updateCurve();
    });
    const ZkGeNurbCurve3d withHandles = spline->splineCurve();
    const size_t children = doc.sketch->childCount();
    doc.deleteThroughRequest(*tangent);
    EXPECT_FALSE(spline->hasTangent(1));
    EXPECT_FALSE(doc.inSketch(tangent.get()));
    EXPECT_FALSE(doc.inSketch(tangent->startPoint().get()));
    EXPECT_FALSE(doc.inSketch(tangent->endPoint().get()));
    EXPECT_EQ(doc.sketch->childCount(), children - 3);
    EXPECT_FALSE(spline->splineCurve().isEqualTo(withHandles)) << "fitted without it";
    doc.deleteThroughRequest(*curvature);
    EXPECT_FALSE(spline->hasCurvature(2));
    EXPECT_EQ(doc.sketch->childCount(), children - 7) << "an arc has three points";
    ASSERT_TRUE(doc.asset.undo());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(doc.sketch->childCount(), children);
    EXPECT_EQ(spline->splineCurve(), withHandles);
    EXPECT_TRUE(spline->hasTangent(1) && spline->hasCurvature(2));
}

} // namespace
} // namespace Kv::Geometry::Tests
