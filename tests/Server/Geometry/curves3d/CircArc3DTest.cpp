// Circular arcs and circles: the member sets of the arc kinds, the makes from
// points and by position, three-point orientation and refusals, following
// moved points, the derived curves, arcToCircle and deletion.

#include "SketchTestDocument.h"

#include "Kv/DataModel/MemberSet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::Tests {
namespace {

const ZkGeVector3d kUp = ZkGeVector3d::kZAxis;

class CircArc3DTest : public ::testing::Test {
protected:
    StrongRef<Point3D> point(double x, double y, double z = 0.0) {
        return Point3D::make(doc.parent, ZkGePoint3d(x, y, z));
    }
    StrongRef<CircArc3D> quarter() {
        return CircArc3D::make(doc.parent, ZkGePoint3d(0, 0, 0), ZkGePoint3d(2, 0, 0),
                               ZkGePoint3d(0, 2, 0), kUp);
    }
    static StrongRef<CircArc3D> arcOf(const StrongRef<Curve3D>& curve) {
        return StrongRef<CircArc3D>(queryInterface<CircArc3D>(curve.get()));
    }

    SketchTestDocument doc;
};

// ---- making

TEST_F(CircArc3DTest, MemberSetsOfTheArcKindsFollowTheirBases) {
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

TEST_F(CircArc3DTest, ArcsAreBuiltFromPointsTurningAboutTheNormal) {
    StrongRef<Point3D> center = point(1, 1), start = point(4, 1), end = point(1, 3);
    StrongRef<CircArc3D> arc = CircArc3D::make(doc.parent, center, start, end, kUp);
    EXPECT_DOUBLE_EQ(arc->radius(), 3.0);
    EXPECT_EQ(arc->refVec(), ZkGeVector3d::kXAxis);
    EXPECT_DOUBLE_EQ(arc->endAngle(), M_PI_2);
    EXPECT_TRUE(usedBy(center, arc.get()) && usedBy(start, arc.get()) && usedBy(end, arc.get()));
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

TEST_F(CircArc3DTest, MakesByPositionFindTheirPointsCentreFirst) {
    StrongRef<CircArc3D> arc = quarter();
    EXPECT_EQ(doc.sketch->indexOf(arc->centerPoint().get()), 0u);
    EXPECT_EQ(doc.sketch->indexOf(arc->startPoint().get()), 1u);
    EXPECT_EQ(doc.sketch->indexOf(arc->endPoint().get()), 2u);
    EXPECT_DOUBLE_EQ(arc->radius(), 2.0);
    EXPECT_DOUBLE_EQ(arc->endAngle(), M_PI_2);

    StrongRef<CircArc3D> circle = CircArc3D::make(doc.parent, ZkGePoint3d(0, 0, 0), kUp, 5.0);
    EXPECT_EQ(circle->centerPoint(), arc->centerPoint()) << "a centre is shared by position";
    EXPECT_TRUE(circle->isCircle() && circle->isClosed());
    EXPECT_FALSE(arc->isClosed());
    EXPECT_EQ(arc->centerPoint()->curveUses()->geometriesCount(), 2u);
    ZkGePoint3d position;
    EXPECT_TRUE(circle->getPosition(position));
    EXPECT_EQ(position, ZkGePoint3d(0, 0, 0));
    EXPECT_TRUE(circle->references(arc->centerPoint()));
}

TEST_F(CircArc3DTest, ThreePointArcsTurnCounterClockwiseAboutTheNormal) {
    StrongRef<Point3D> a = point(2, 0), b = point(0, 2);
    // From a over (sqrt 2, sqrt 2) to b turns counter-clockwise about +z.
    const ZkGePoint3d middle(std::sqrt(2.0), std::sqrt(2.0), 0);
    StrongRef<CircArc3D> ccw = CircArc3D::make(doc.parent, a, middle, b, kUp);
    ASSERT_TRUE(ccw);
    EXPECT_EQ(ccw->startPoint(), a);
    EXPECT_EQ(ccw->endPoint(), b);
    EXPECT_TRUE(ccw->centerPoint()->point().isEqualTo(ZkGePoint3d(0, 0, 0)));
    EXPECT_NEAR(ccw->endAngle(), M_PI_2, 1e-12);
    EXPECT_TRUE(ccw->normal().isEqualTo(kUp));

    // About -z the same three points run from b to a.
    StrongRef<CircArc3D> cw = CircArc3D::make(doc.parent, a, middle, b, -kUp);
    ASSERT_TRUE(cw);
    EXPECT_EQ(cw->startPoint(), b);
    EXPECT_EQ(cw->endPoint(), a);
    EXPECT_TRUE(cw->normal().isEqualTo(-kUp));
    EXPECT_TRUE(cw->arcCurve().evalPoint(M_PI_4).isEqualTo(middle));
    EXPECT_NE(cw->centerPoint(), ccw->centerPoint()) << "each has a centre of its own";
}

TEST_F(CircArc3DTest, DegenerateThreePointArcsAreRefusedWithoutLeavingPoints) {
    StrongRef<Point3D> a = point(0, 0), b = point(4, 0);
    const size_t before = doc.sketch->childCount();
    EXPECT_FALSE(CircArc3D::make(doc.parent, a, ZkGePoint3d(2, 0, 0), b, kUp)) << "collinear";
    EXPECT_FALSE(CircArc3D::make(doc.parent, a, ZkGePoint3d(9, 0, 0), b, kUp))
        << "collinear outside";
    EXPECT_FALSE(CircArc3D::make(doc.parent, a, ZkGePoint3d(0, 0, 0), b, kUp)) << "middle = start";
    EXPECT_FALSE(CircArc3D::make(doc.parent, a, ZkGePoint3d(1, 1, 0), a, kUp)) << "start = end";
    EXPECT_FALSE(CircArc3D::make(doc.parent, a, ZkGePoint3d(2, 1e-13, 0), b, kUp))
        << "too nearly collinear for the kernel";
    EXPECT_EQ(doc.sketch->childCount(), before);
    EXPECT_EQ(a->curveUses()->geometriesCount(), 0u);
}

TEST_F(CircArc3DTest, ArcsFollowTheirPointsAndAStartOnTheCentreMakesATinyCircle) {
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
    EXPECT_FALSE(arc->degenerate());

    // Replacing an end updates the arc.
    StrongRef<CircArc3D> replaced = quarter();
    replaced->setEndPoint(point(-3, 0));
    EXPECT_NEAR(replaced->endAngle(), M_PI, 1e-12);
    replaced->setStartPoint(point(0, -1));
    EXPECT_NEAR(replaced->radius(), 1.0, 1e-12);
    EXPECT_NEAR(replaced->endAngle(), 1.5 * M_PI, 1e-12);

    StrongRef<CircArc3D> circle = CircArc3D::make(doc.parent, center, kUp, 3.0);
    center->point(ZkGePoint3d(2, 2, 2));
    circle->updateCurve();
    EXPECT_TRUE(circle->isCircle());
    EXPECT_EQ(circle->arcCurve().center(), ZkGePoint3d(2, 2, 2));
}

// ---- derived curves

TEST_F(CircArc3DTest, ReversingSwapsTheEndsAndTangentsAndKeepsACirclesCentreAndRadius) {
    StrongRef<CircArc3D> arc = quarter();
    StrongRef<CircArc3D> reversed = arcOf(arc->reverseCurve());
    ASSERT_TRUE(reversed);
    EXPECT_EQ(reversed->startPoint(), arc->endPoint());
    EXPECT_EQ(reversed->endPoint(), arc->startPoint());
    EXPECT_TRUE(reversed->normal().isEqualTo(-kUp));
    EXPECT_NEAR(reversed->endAngle(), M_PI_2, 1e-12) << "the same quarter, the other way";
    // The end tangent is the end radius crossed with the normal.
    EXPECT_TRUE(arc->GetCurveTangentAtEndPoint().isEqualTo(ZkGeVector3d(1, 0, 0)));
    EXPECT_TRUE(reversed->GetCurveTangentAtEndPoint().isEqualTo(ZkGeVector3d(0, 1, 0)));

    StrongRef<CircArc3D> circle = CircArc3D::make(doc.parent, ZkGePoint3d(1, 1, 0), kUp, 3.0);
    StrongRef<CircArc3D> turned = arcOf(circle->reverseCurve());
    ASSERT_TRUE(turned);
    EXPECT_EQ(turned->centerPoint(), circle->centerPoint());
    EXPECT_EQ(turned->radius(), 3.0);
    EXPECT_TRUE(turned->normal().isEqualTo(-kUp));
    EXPECT_TRUE(turned->isCircle());
    EXPECT_TRUE(circle->normal().isEqualTo(kUp)) << "the circle itself stays";
    EXPECT_EQ(circle->GetCurveTangentAtEndPoint(), ZkGeVector3d::kXAxis);
}

TEST_F(CircArc3DTest, TransformingMovesThePointsButKeepsACirclesRadius) {
    StrongRef<CircArc3D> circle = CircArc3D::make(doc.parent, ZkGePoint3d(1, 0, 0), kUp, 2.0);
    ZkGeMatrix3d scale;
    scale.setToScaling(3.0);
    StrongRef<CircArc3D> scaled = arcOf(circle->transformBy(scale));
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->centerPoint()->point(), ZkGePoint3d(3, 0, 0));
    EXPECT_EQ(scaled->radius(), 2.0);
    EXPECT_TRUE(scaled->normal().isEqualTo(kUp));

    StrongRef<CircArc3D> arc = quarter();
    const ZkGeMatrix3d turn = ZkGeMatrix3d::rotation(M_PI_2, kUp);
    StrongRef<CircArc3D> turned = arcOf(arc->transformBy(turn));
    ASSERT_TRUE(turned);
    EXPECT_EQ(turned->startPoint(), arc->endPoint()) << "(0, 2) is found, not made again";
    EXPECT_TRUE(turned->end().isEqualTo(ZkGePoint3d(-2, 0, 0)));
    EXPECT_NEAR(turned->endAngle(), M_PI_2, 1e-12);

    StrongRef<CircArc3D> copy = arcOf(arc->clone());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->centerPoint(), arc->centerPoint());
    EXPECT_EQ(copy->startPoint(), arc->startPoint());
    EXPECT_EQ(copy->endPoint(), arc->endPoint());
}

TEST_F(CircArc3DTest, SplittingMakesTwoArcsAboutTheSameCentre) {
    StrongRef<CircArc3D> arc = quarter();
    StrongRef<Point3D> at = point(std::sqrt(2.0), std::sqrt(2.0));
    StrongRef<Curve3D> first, second;
    arc->SplitInTwo(at, first, second);
    ASSERT_TRUE(arcOf(first) && arcOf(second));
    EXPECT_EQ(arcOf(first)->centerPoint(), arc->centerPoint());
    EXPECT_EQ(first->endPoint(), at);
    EXPECT_EQ(second->startPoint(), at);
    EXPECT_NEAR(arcOf(first)->endAngle(), M_PI_4, 1e-12);
    EXPECT_NEAR(arcOf(second)->endAngle(), M_PI_4, 1e-12);

    StrongRef<CircArc3D> circle = CircArc3D::make(doc.parent, ZkGePoint3d(9, 9, 0), kUp, 1.0);
    StrongRef<Curve3D> none1, none2;
    circle->SplitInTwo(at, none1, none2);
    EXPECT_FALSE(none1 || none2) << "a circle has no ends to split between";
}

// ---- arcToCircle

TEST_F(CircArc3DTest, AnArcBecomesACircleAndLetsGoOfItsEnds) {
    StrongRef<CircArc3D> arc;
    doc.transact([&] { arc = quarter(); });
    const StrongRef<Point3D> start = arc->startPoint(), end = arc->endPoint();
    const ZkGeCircArc3d circle(ZkGePoint3d(1, 1, 0), kUp, 4.0);
    doc.transact([&] { arc->arcToCircle(circle, true); });
    EXPECT_TRUE(arc->isCircle());
    EXPECT_EQ(arc->radius(), 4.0);
    EXPECT_EQ(arc->centerPoint()->point(), ZkGePoint3d(1, 1, 0));
    EXPECT_FALSE(arc->startPoint() || arc->endPoint());
    EXPECT_FALSE(doc.inSketch(start.get()) || doc.inSketch(end.get()));

    arc->arcToCircle(ZkGeCircArc3d(ZkGePoint3d(), kUp, 9.0), true);
    EXPECT_EQ(arc->radius(), 4.0) << "a circle stays as it is";

    ASSERT_TRUE(doc.asset.undo());
    EXPECT_FALSE(arc->isCircle());
    EXPECT_EQ(arc->startPoint(), start);
    EXPECT_TRUE(doc.inSketch(start.get()) && usedBy(start, arc.get()));
    EXPECT_EQ(arc->centerPoint()->point(), ZkGePoint3d(0, 0, 0));

    arc->arcToCircle(ZkGeCircArc3d(ZkGePoint3d(0, 0, 0), ZkGeVector3d(0, 0, 1),
                                   ZkGeVector3d(1, 0, 0), 2.0, 0.0, 1.0),
                     true);
    EXPECT_FALSE(arc->isCircle()) << "an open arc is not taken";
    arc->arcToCircle(circle, false);
    EXPECT_TRUE(arc->isCircle());
    EXPECT_EQ(arc->startPoint(), start) << "without moving the centre the ends stay";
}

// ---- deletion

TEST_F(CircArc3DTest, DeletingAnArcReleasesItsCentreAndEnds) {
    StrongRef<CircArc3D> arc, circle;
    doc.transact([&] {
        arc = quarter();
        circle = CircArc3D::make(doc.parent, ZkGePoint3d(0, 0, 0), kUp, 1.0);
    });
    const StrongRef<Point3D> center = arc->centerPoint(), start = arc->startPoint();
    EXPECT_EQ(arc->deleteNominees().size(), 3u);
    EXPECT_EQ(arc->deleteNominees().back(), PassiveRef<Point3D>(center));
    doc.deleteThroughRequest(*arc);
    EXPECT_FALSE(doc.inSketch(arc.get()) || doc.inSketch(start.get()));
    EXPECT_EQ(center->curveUses()->curves(),
              std::vector<PassiveRef<Curve3D>>{PassiveRef<Curve3D>(circle.get())})
        << "the circle still uses the centre";
}

} // namespace
} // namespace Kv::Geometry::Tests
