#include "SketchTestDocument.h"

#include "Geometry/curves3d/CurvatureHandle.h"
#include "Geometry/curves3d/EllipticArc3D.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Kv/DataModel/MemberSet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::Tests {
namespace {

const ZkGeVector3d kUp = ZkGeVector3d::kZAxis;

class ArcsTest : public ::testing::Test {
protected:
    StrongRef<Point3D> point(double x, double y, double z = 0.0) {
        return Point3D::make(doc.parent, ZkGePoint3d(x, y, z));
    }
    static bool uses(const StrongRef<Point3D>& p, Curve3D* curve) {
        return p->curveUses()->contains(PassiveRef<Curve3D>(curve));
    }

    SketchTestDocument doc;
};

TEST_F(ArcsTest, MemberSetsFollowTheirBases) {
    CircArc3D::make(doc.parent, point(0, 0), kUp, 1.0);
    EllipticArc3D::make(doc.parent, point(0, 0), ZkGeVector3d(2, 0, 0), ZkGeVector3d(0, 1, 0));
    CurvatureHandle::make(doc.parent, ZkGeCircArc3d());
    EXPECT_EQ(ownMemberNames(CircArc3D::memberSet()),
              (std::vector<std::string>{"arcCurve", "rStartPoint", "rEndPoint", "rCenterPoint"}));
    EXPECT_EQ(CircArc3D::memberSet().base(), &Curve3D::memberSet());
    EXPECT_EQ(
        ownMemberNames(EllipticArc3D::memberSet()),
        (std::vector<std::string>{"ellipticCurve", "rCenterPoint", "rStartPoint", "rEndPoint"}));
    EXPECT_EQ(EllipticArc3D::memberSet().base(), &Curve3D::memberSet());
    EXPECT_EQ(ownMemberNames(CurvatureHandle::memberSet()), std::vector<std::string>{"curveUses"});
    EXPECT_EQ(CurvatureHandle::memberSet().base(), &CircArc3D::memberSet());
}

TEST_F(ArcsTest, CircularArcsAreBuiltFromPoints) {
    StrongRef<Point3D> center = point(1, 1), start = point(4, 1), end = point(1, 3);
    StrongRef<CircArc3D> arc = CircArc3D::make(doc.parent, center, start, end, kUp);
    EXPECT_EQ(arc->geomType(), Geometry3D::kCircArc3D);
    EXPECT_DOUBLE_EQ(arc->radius(), 3.0);
    EXPECT_EQ(arc->refVec(), ZkGeVector3d::kXAxis);
    EXPECT_DOUBLE_EQ(arc->endAngle(), M_PI_2);
    EXPECT_TRUE(uses(center, arc.get()) && uses(start, arc.get()) && uses(end, arc.get()));
    EXPECT_TRUE(arc->references(center));
    EXPECT_FALSE(arc->references(point(1, 3)));
    EXPECT_EQ(arc->toString().rfind(L"CircArc3D from (4, 1, 0) to (1, 3, 0) center (1, 1, 0) "
                                    L"radius 3 (Base ",
                                    0),
              0u);
    // Clockwise about the normal the same points go the long way round.
    EXPECT_DOUBLE_EQ(CircArc3D::make(doc.parent, center, start, end, -kUp)->endAngle(), 1.5 * M_PI);

    StrongRef<CircArc3D> circle = CircArc3D::make(doc.parent, center, kUp, 2.5);
    EXPECT_TRUE(circle->isCircle());
    EXPECT_FALSE(circle->startPoint() || circle->endPoint());
    EXPECT_EQ(circle->toString().rfind(L"CircArc3D is a circle center (1, 1, 0) radius 2.5", 0),
              0u);
}

TEST_F(ArcsTest, ThreePointArcsGetACenterOfTheirOwnAndRunCounterClockwise) {
    StrongRef<Point3D> a = point(0, 0), b = point(2, 0);
    // Given clockwise about the normal, the arc starts at the third point.
    StrongRef<CircArc3D> arc = CircArc3D::make(doc.parent, a, ZkGePoint3d(1, 1, 0), b, kUp);
    ASSERT_TRUE(arc);
    EXPECT_EQ(doc.sketch->childCount(), 4u);
    EXPECT_TRUE(arc->centerPoint()->point().isEqualTo(ZkGePoint3d(1, 0, 0)));
    EXPECT_EQ(arc->startPoint(), b);
    EXPECT_EQ(arc->endPoint(), a);
    EXPECT_TRUE(arc->arcCurve().evalPoint(M_PI_2).isEqualTo(ZkGePoint3d(1, 1, 0)));
    EXPECT_EQ(CircArc3D::make(doc.parent, b, ZkGePoint3d(1, 1, 0), a, kUp)->startPoint(), b);
    EXPECT_FALSE(CircArc3D::make(doc.parent, a, ZkGePoint3d(1, 0, 0), b, kUp));
    EXPECT_EQ(doc.sketch->childCount(), 6u);
}

TEST_F(ArcsTest, CircularArcsFollowTheirPoints) {
    StrongRef<Point3D> center = point(0, 0), start = point(1, 0), end = point(0, 1);
    StrongRef<CircArc3D> arc = CircArc3D::make(doc.parent, center, start, end, kUp);
    start->point(ZkGePoint3d(0, -2, 0));
    end->point(ZkGePoint3d(5, 0, 0)); // only its direction counts
    arc->updateCurve();
    EXPECT_DOUBLE_EQ(arc->radius(), 2.0);
    EXPECT_EQ(arc->refVec(), ZkGeVector3d(0, -1, 0));
    EXPECT_DOUBLE_EQ(arc->endAngle(), M_PI_2);
    start->point(ZkGePoint3d(0, 0, 0));
    arc->updateCurve();
    EXPECT_TRUE(arc->isCircle());
    EXPECT_EQ(arc->radius(), 0.0001);

    StrongRef<CircArc3D> circle = CircArc3D::make(doc.parent, center, kUp, 3.0);
    center->point(ZkGePoint3d(2, 2, 2));
    circle->updateCurve();
    EXPECT_TRUE(circle->isCircle());
    EXPECT_EQ(circle->arcCurve().center(), ZkGePoint3d(2, 2, 2));
}

TEST_F(ArcsTest, EllipticArcsSpanTheParametricAnglesOfTheirEnds) {
    EXPECT_DOUBLE_EQ(EllipticArc3D::adjustPeriod2PI(-M_PI_2), 1.5 * M_PI);
    EXPECT_DOUBLE_EQ(EllipticArc3D::adjustPeriod2PI(5.0 * M_PI), M_PI);
    EXPECT_EQ(EllipticArc3D::adjustPeriod2PI(2.0 * M_PI), 2.0 * M_PI);
    const ZkGeVector3d u(2, 0, 0), v(0, 1, 0);
    const ZkGePoint3d q;
    EXPECT_DOUBLE_EQ(EllipticArc3D::decomposePointIntoAngParam(q, u, v, ZkGePoint3d(-2, 0, 0)),
                     M_PI);
    EXPECT_DOUBLE_EQ(EllipticArc3D::decomposePointIntoAngParam(q, u, v, q), 1.5 * M_PI);

    StrongRef<Point3D> center = point(0, 0), start = point(2, 0), end = point(0, 1);
    StrongRef<EllipticArc3D> arc = EllipticArc3D::make(doc.parent, center, start, end, u, v);
    EXPECT_EQ(arc->geomType(), Geometry3D::kEllipticArc3D);
    EXPECT_EQ(arc->startAngle(), 0.0);
    EXPECT_DOUBLE_EQ(arc->endAngle(), M_PI_2);
    EXPECT_EQ(arc->majorAxis(), u);
    EXPECT_EQ(arc->minorAxis(), v);
    EXPECT_TRUE(uses(center, arc.get()) && uses(end, arc.get()));
    start->point(ZkGePoint3d(5, -5, 0)); // (2.5, -5) in the ellipse's own units
    arc->updateCurve();
    EXPECT_EQ(arc->majorRadius(), 2.0);
    EXPECT_DOUBLE_EQ(arc->startAngle(), std::atan2(-5.0, 2.5) + 2.0 * M_PI);
}

TEST_F(ArcsTest, CurvatureHandlesShowTheCurvatureOnPointsOfTheirOwn) {
    const ZkGePoint3d p(1, 2, 0);
    const ZkGeCircArc3d arc = CurvatureHandle::arcFromCurvature(ZkGeVector3d(0, 0.5, 0), p);
    EXPECT_EQ(arc.radius(), 2.0);
    EXPECT_DOUBLE_EQ(arc.startAng(), M_PI_2 - 0.5);
    EXPECT_DOUBLE_EQ(arc.endAng(), M_PI_2 + 0.5);
    EXPECT_TRUE(arc.evalPoint(M_PI_2).isEqualTo(p));
    const ZkGeVector3d tiny(1e-7, 0, 0); // not normalised
    EXPECT_TRUE(CurvatureHandle::arcFromCurvature(tiny, p).center().isEqualTo(p - tiny * 1000.0));
    EXPECT_EQ(CurvatureHandle::arcFromCurvature(ZkGeVector3d(0, 1e-4, 0), p).radius(), 1000.0);

    StrongRef<CurvatureHandle> handle = CurvatureHandle::make(doc.parent, arc);
    EXPECT_EQ(handle->geomType(), Geometry3D::kCurvatureHandle);
    EXPECT_EQ(doc.sketch->childCount(), 4u);
    EXPECT_TRUE(handle->startPoint()->point().isEqualTo(arc.startPoint()));
    EXPECT_EQ(handle->radius(), 2.0);
    EXPECT_TRUE(handle->arcCurve().evalPoint(0.5).isEqualTo(p));
    ASSERT_TRUE(handle->curveUses());
    EXPECT_TRUE(uses(handle->centerPoint(), handle.get()));
    EXPECT_EQ(CurvatureHandle::make(doc.parent, ZkGePoint3d(), ZkGePoint3d(0, 3, 0),
                                    ZkGePoint3d(-3, 0, 0), kUp)
                  ->radius(),
              3.0);
}

TEST_F(ArcsTest, SaveAndOpenKeepEveryMember) {
    StrongRef<CircArc3D> arc =
        CircArc3D::make(doc.parent, point(0, 0, 3), point(2, 1, 3), point(-1, 2, 3), kUp);
    arc->fixed(true);
    arc->combDensity(33);
    StrongRef<CircArc3D> circle = CircArc3D::make(doc.parent, point(7, 7), -kUp, 0.125);
    StrongRef<EllipticArc3D> ellipse = EllipticArc3D::make(
        doc.parent, point(-3, 0, 1), ZkGeVector3d(3, 4, 0), ZkGeVector3d(-0.8, 0.6, 0));
    StrongRef<CurvatureHandle> handle = CurvatureHandle::make(
        doc.parent, CurvatureHandle::arcFromCurvature(ZkGeVector3d(0, -2, 0), ZkGePoint3d()));

    std::unique_ptr<Asset> opened = doc.saveAndOpen();
    for (Entity* written : std::vector<Entity*>{arc.get(), circle.get(), ellipse.get(),
                                                handle.get(), handle->curveUses().get()}) {
        Entity* read = doc.counterpart(*opened, written);
        ASSERT_TRUE(read);
        EXPECT_EQ(printed(read), printed(written));
    }
    auto* readArc = queryInterface<CircArc3D>(doc.counterpart(*opened, arc.get()));
    EXPECT_TRUE(uses(readArc->centerPoint(), readArc));
}

TEST_F(ArcsTest, CreationAndChangesUndoAndRedo) {
    StrongRef<Point3D> start;
    StrongRef<CircArc3D> arc;
    doc.transact([&] {
        start = point(1, 0);
        arc = CircArc3D::make(doc.parent, point(0, 0), start, point(0, 1), kUp);
    });
    const std::string made = printed(arc.get());
    doc.transact([&] { arc->radius(4.0); });
    doc.transact([&] {
        start->point(ZkGePoint3d(3, 0, 0));
        arc->updateCurve();
    });
    EXPECT_EQ(arc->radius(), 3.0);
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(start->point(), ZkGePoint3d(1, 0, 0));
    EXPECT_EQ(arc->radius(), 4.0);
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(printed(arc.get()), made);
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(doc.sketch->childCount(), 0u);
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(doc.sketch->indexOf(arc.get()), 3u);
    EXPECT_EQ(printed(arc.get()), made);
    EXPECT_TRUE(uses(start, arc.get()));
    ASSERT_TRUE(doc.asset.redo());
    EXPECT_EQ(arc->radius(), 4.0);
}

} // namespace
} // namespace Kv::Geometry::Tests
