// Deleting what splines hold: fit points (as long as the splines keep enough
// of them: two when open, three when closed) and tangent and curvature handles, through the
// requests the entities offer, with the splines fitted again afterwards.

#include "SketchModelDocument.h"

#include "Geometry/curves3d/CurvatureHandle.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/curves3d/TangentHandle.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/DeleteCurvatureRequest.h"
#include "Geometry/sketch3d/DeletePoint3DRequest.h"
#include "Geometry/sketch3d/DeleteTangentRequest.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Kv/DataModel/ObjectPath.h"
#include "Kv/DataModel/Request.h"
#include "Kv/DataModel/Status.h"

#include <gtest/gtest.h>

#include <memory>

namespace Kv::Geometry::SketchTests {
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
    SplineDeletionTest()
        : sketch(doc.newSketch())
        , parent(sketch) {}

    // Deletes `entity` as the user would: the request it offers for itself,
    // run as one transaction.
    void remove(Geometry3D& entity) {
        const ObjectPath path = ObjectPath::toEntity(&entity);
        ASSERT_TRUE(entity.onCanDelete(path));
        Request* request = entity.onProvideDeleteRequest(path);
        ASSERT_TRUE(request);
        Status status;
        EXPECT_TRUE(request->execute(status));
        request->destroy();
    }
    bool inSketch(const Entity* entity) const {
        return sketch->indexOf(entity) != Managed::ManagedGroupEntity::npos;
    }

    SketchModelDocument doc;
    StrongRef<Sketch> sketch;
    StrongRef<Entity> parent;
};

TEST_F(SplineDeletionTest, EachEntityOffersItsOwnRequest) {
    StrongRef<Point3D> point = Point3D::make(parent, ZkGePoint3d());
    StrongRef<TangentHandle> tangent =
        TangentHandle::make(parent, ZkGePoint3d(), ZkGeVector3d(1, 0, 0));
    StrongRef<CurvatureHandle> curvature = CurvatureHandle::make(
        parent, CurvatureHandle::arcFromCurvature(ZkGeVector3d(0, 1, 0), ZkGePoint3d()));
    const auto provided = [](Geometry3D& entity) {
        return std::unique_ptr<Request, void (*)(Request*)>(
            entity.onProvideDeleteRequest(ObjectPath::toEntity(&entity)),
            [](Request* request) { request->destroy(); });
    };
    EXPECT_TRUE(dynamic_cast<DeletePoint3DRequest*>(provided(*point).get()));
    EXPECT_TRUE(dynamic_cast<DeleteTangentRequest*>(provided(*tangent).get()));
    EXPECT_TRUE(dynamic_cast<DeleteCurvatureRequest*>(provided(*curvature).get()));
    EXPECT_EQ(point->onProvideDeleteRequest(ObjectPath::toEntity(sketch.get())), nullptr)
        << "a path ending elsewhere";
}

TEST_F(SplineDeletionTest, AFitPointGoesWhenTheSplineKeepsEnoughAndTheSplineIsFittedOnce) {
    const std::vector<ZkGePoint3d> positions{{0, 0, 0}, {1, 2, 0}, {3, 1, 0}, {4, 3, 0}};
    StrongRef<CountingSpline> spline;
    doc.transact([&] { spline = CountingSpline::make(parent, positions); });
    const StrongRef<Point3D> interior = spline->fitPoint(1);
    spline->fits = 0;
    remove(*interior);
    EXPECT_EQ(spline->fitPoints(), 3);
    EXPECT_FALSE(inSketch(interior.get()));
    EXPECT_EQ(spline->fits, 1);
    EXPECT_GT(spline->splineCurve().distanceTo(interior->point()), 0.1) << "no longer through it";

    remove(*spline->fitPoint(1));
    EXPECT_EQ(spline->fitPoints(), 2);

    // Two are the fewest an open spline keeps: the point stays.
    const StrongRef<Point3D> end = spline->endPoint();
    const ZkGeNurbCurve3d before = spline->splineCurve();
    EXPECT_FALSE(end->onCanDelete(ObjectPath::toEntity(end.get())));
    Request* request = end->onProvideDeleteRequest(ObjectPath::toEntity(end.get()));
    Status status;
    request->execute(status);
    request->destroy();
    EXPECT_TRUE(inSketch(end.get()));
    EXPECT_EQ(spline->endPoint(), end);
    EXPECT_EQ(spline->splineCurve(), before);

    ASSERT_TRUE(doc.asset.undo());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(spline->fitPoints(), 4);
    EXPECT_TRUE(inSketch(interior.get()));
    EXPECT_EQ(spline->fitPoint(1), interior);
}

TEST_F(SplineDeletionTest, AClosedSplineKeepsFourAndAnOpenOneReplacesAnEndByItsNeighbour) {
    StrongRef<Spline3D> loop;
    StrongRef<Spline3D> open;
    doc.transact([&] {
        loop = Spline3D::make(
            parent, ZkArray<ZkGePoint3d>{{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 0, 0}}, true);
        open = Spline3D::make(
            parent, ZkArray<ZkGePoint3d>{{5, 0, 0}, {6, 1, 0}, {7, 0, 0}, {8, 1, 0}}, false);
    });
    EXPECT_FALSE(loop->startPoint()->onCanDelete(ObjectPath::toEntity(loop->startPoint().get())));
    const StrongRef<Point3D> start = open->startPoint();
    const StrongRef<Point3D> next = open->fitPoint(1);
    remove(*start);
    EXPECT_EQ(open->startPoint(), next);
    EXPECT_FALSE(inSketch(start.get()));
    EXPECT_LE(open->splineCurve().startPoint().distanceTo(next->point()), 1e-9);
    // A point a line also uses cannot go.
    Line3D::make(parent, open->end(), ZkGePoint3d(9, 9, 0));
    EXPECT_FALSE(open->endPoint()->onCanDelete(ObjectPath::toEntity(open->endPoint().get())));
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
    const size_t children = sketch->childCount();
    remove(*tangent);
    EXPECT_FALSE(spline->hasTangent(1));
    EXPECT_FALSE(inSketch(tangent.get()));
    EXPECT_FALSE(inSketch(tangent->startPoint().get()));
    EXPECT_FALSE(inSketch(tangent->endPoint().get()));
    EXPECT_EQ(sketch->childCount(), children - 3);
    EXPECT_FALSE(spline->splineCurve().isEqualTo(withHandles)) << "fitted without it";
    remove(*curvature);
    EXPECT_FALSE(spline->hasCurvature(2));
    EXPECT_EQ(sketch->childCount(), children - 7) << "an arc has three points";
    ASSERT_TRUE(doc.asset.undo());
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(sketch->childCount(), children);
    EXPECT_EQ(spline->splineCurve(), withHandles);
    EXPECT_TRUE(spline->hasTangent(1) && spline->hasCurvature(2));
}

} // namespace
} // namespace Kv::Geometry::SketchTests
