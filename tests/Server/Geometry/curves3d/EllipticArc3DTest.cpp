// Elliptic arcs and ellipses: parametric angles, the makes from points and by
// position, radii and axes, following moved points and the derived curves.

#include "SketchTestDocument.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::Tests {
namespace {

const ZkGeVector3d kU(2, 0, 0);
const ZkGeVector3d kV(0, 1, 0);

class EllipticArc3DTest : public ::testing::Test {
protected:
    // The quarter from the end of the major axis to the end of the minor one.
    StrongRef<EllipticArc3D> quarter() {
        return EllipticArc3D::make(doc.parent, ZkGePoint3d(0, 0, 0), ZkGePoint3d(2, 0, 0),
                                   ZkGePoint3d(0, 1, 0), kU, kV);
    }
    static StrongRef<EllipticArc3D> ellipseOf(const StrongRef<Curve3D>& curve) {
        return StrongRef<EllipticArc3D>(queryInterface<EllipticArc3D>(curve.get()));
    }

    SketchTestDocument doc;
};

TEST_F(EllipticArc3DTest, ArcsFromPointsSpanTheParametricAnglesOfTheirEnds) {
    EXPECT_DOUBLE_EQ(EllipticArc3D::adjustPeriod2PI(-M_PI_2), 1.5 * M_PI);
    EXPECT_DOUBLE_EQ(EllipticArc3D::adjustPeriod2PI(5.0 * M_PI), M_PI);
    EXPECT_EQ(EllipticArc3D::adjustPeriod2PI(2.0 * M_PI), 2.0 * M_PI);
    const ZkGePoint3d q;
    EXPECT_DOUBLE_EQ(EllipticArc3D::decomposePointIntoAngParam(q, kU, kV, ZkGePoint3d(-2, 0, 0)),
                     M_PI);
    EXPECT_DOUBLE_EQ(EllipticArc3D::decomposePointIntoAngParam(q, kU, kV, q), 1.5 * M_PI);

    StrongRef<Point3D> center = Point3D::make(doc.parent, ZkGePoint3d(0, 0, 0));
    StrongRef<Point3D> start = Point3D::make(doc.parent, ZkGePoint3d(2, 0, 0));
    StrongRef<Point3D> end = Point3D::make(doc.parent, ZkGePoint3d(0, 1, 0));
    StrongRef<EllipticArc3D> arc = EllipticArc3D::make(doc.parent, center, start, end, kU, kV);
    EXPECT_EQ(arc->startAngle(), 0.0);
    EXPECT_DOUBLE_EQ(arc->endAngle(), M_PI_2);
    EXPECT_EQ(arc->majorAxis(), kU);
    EXPECT_EQ(arc->minorAxis(), kV);
    EXPECT_TRUE(usedBy(center, arc.get()) && usedBy(end, arc.get()));
    start->point(ZkGePoint3d(5, -5, 0)); // (2.5, -5) in the ellipse's own units
    arc->updateCurve();
    EXPECT_EQ(arc->majorRadius(), 2.0);
    EXPECT_DOUBLE_EQ(arc->startAngle(), std::atan2(-5.0, 2.5) + 2.0 * M_PI);
}

TEST_F(EllipticArc3DTest, MakesByPositionShareTheirPoints) {
    StrongRef<EllipticArc3D> arc = quarter();
    EXPECT_EQ(doc.sketch->indexOf(arc->centerPoint().get()), 0u);
    EXPECT_EQ(arc->startAngle(), 0.0);
    EXPECT_DOUBLE_EQ(arc->endAngle(), M_PI_2);
    EXPECT_FALSE(arc->isClosed());
    StrongRef<EllipticArc3D> ellipse =
        EllipticArc3D::make(doc.parent, ZkGePoint3d(0, 0, 0), ZkGeVector3d(3, 0, 0), kV);
    EXPECT_EQ(ellipse->centerPoint(), arc->centerPoint());
    EXPECT_TRUE(ellipse->isEllipse() && ellipse->isClosed());
    EXPECT_FALSE(ellipse->startPoint() || ellipse->endPoint());
    EXPECT_EQ(ellipse->majorRadius(), 3.0);
    EXPECT_EQ(ellipse->minorRadius(), 1.0);
    EXPECT_EQ(arc->centerPoint()->curveUses()->geometriesCount(), 2u);
    EXPECT_EQ(arc->deleteNominees().size(), 3u);
}

TEST_F(EllipticArc3DTest, MovingTheStartOffTheEllipseChangesOnlyItsAngle) {
    StrongRef<EllipticArc3D> arc = quarter();
    arc->setStartPoint(Point3D::make(doc.parent, ZkGePoint3d(4, 4, 0)));
    EXPECT_EQ(arc->majorRadius(), 2.0);
    EXPECT_EQ(arc->minorRadius(), 1.0);
    // (4, 4) is (2, 4) in the ellipse's own units.
    EXPECT_DOUBLE_EQ(arc->startAngle(), std::atan2(4.0, 2.0));
    arc->centerPoint()->point(ZkGePoint3d(1, 0, 0));
    arc->updateCurve();
    EXPECT_EQ(arc->ellipticCurve().center(), ZkGePoint3d(1, 0, 0));
    EXPECT_DOUBLE_EQ(arc->startAngle(), std::atan2(4.0, 1.5));
}

TEST_F(EllipticArc3DTest, RadiiAndAxesChangeWithoutMovingPoints) {
    StrongRef<EllipticArc3D> ellipse;
    doc.transact([&] { ellipse = EllipticArc3D::make(doc.parent, ZkGePoint3d(0, 0, 0), kU, kV); });
    doc.transact([&] {
        ellipse->majorRadius(5.0);
        ellipse->minorRadius(0.5);
        ellipse->setAxis(ZkGeVector3d(0, 1, 0), ZkGeVector3d(-1, 0, 0));
    });
    EXPECT_EQ(ellipse->majorAxis(), ZkGeVector3d(0, 5, 0));
    EXPECT_EQ(ellipse->minorAxis(), ZkGeVector3d(-0.5, 0, 0));
    EXPECT_EQ(ellipse->centerPoint()->point(), ZkGePoint3d(0, 0, 0));
    ASSERT_TRUE(doc.asset.undo());
    EXPECT_EQ(ellipse->majorAxis(), kU);
    EXPECT_EQ(ellipse->minorAxis(), kV);
}

TEST_F(EllipticArc3DTest, ReversingKeepsTheMajorAxisAndTurnsTheMinorOneAndTheEndTangent) {
    StrongRef<EllipticArc3D> arc = quarter();
    StrongRef<EllipticArc3D> reversed = ellipseOf(arc->reverseCurve());
    ASSERT_TRUE(reversed);
    EXPECT_EQ(reversed->majorAxis(), kU);
    EXPECT_EQ(reversed->minorAxis(), -kV);
    EXPECT_EQ(reversed->startPoint(), arc->endPoint());
    EXPECT_EQ(reversed->endPoint(), arc->startPoint());
    // The same quarter, run the other way: from (0, 1) at 3 pi / 2 to (2, 0).
    EXPECT_DOUBLE_EQ(reversed->startAngle(), 1.5 * M_PI);
    EXPECT_TRUE(reversed->ellipticCurve().endPoint().isEqualTo(ZkGePoint3d(2, 0, 0)));
    // The end tangent is the end direction crossed with the normal.
    EXPECT_TRUE(arc->GetCurveTangentAtEndPoint().isEqualTo(ZkGeVector3d(1, 0, 0)));
    StrongRef<EllipticArc3D> tilted =
        EllipticArc3D::make(doc.parent, ZkGePoint3d(0, 0, 0), ZkGePoint3d(0, 0, 2),
                            ZkGePoint3d(0, 3, 0), ZkGeVector3d(0, 0, 2), ZkGeVector3d(0, 3, 0));
    EXPECT_TRUE(tilted->GetCurveTangentAtEndPoint().isEqualTo(ZkGeVector3d(0, 0, 1)))
        << "(0, 1, 0) crossed with the normal -x";

    StrongRef<EllipticArc3D> ellipse =
        EllipticArc3D::make(doc.parent, ZkGePoint3d(5, 5, 0), kU, kV);
    StrongRef<EllipticArc3D> turned = ellipseOf(ellipse->reverseCurve());
    ASSERT_TRUE(turned);
    EXPECT_TRUE(turned->isEllipse());
    EXPECT_EQ(turned->centerPoint(), ellipse->centerPoint());
    EXPECT_EQ(turned->minorAxis(), -kV);
    EXPECT_EQ(ellipse->GetCurveTangentAtEndPoint(), ZkGeVector3d::kXAxis);
}

TEST_F(EllipticArc3DTest, TransformingCloningAndSplitting) {
    StrongRef<EllipticArc3D> arc = quarter();
    StrongRef<EllipticArc3D> moved =
        ellipseOf(arc->transformBy(ZkGeMatrix3d::translation(ZkGeVector3d(0, 0, 3))));
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->centerPoint()->point(), ZkGePoint3d(0, 0, 3));
    EXPECT_EQ(moved->majorAxis(), kU);
    EXPECT_DOUBLE_EQ(moved->endAngle(), M_PI_2);

    StrongRef<EllipticArc3D> copy = ellipseOf(arc->clone());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->startPoint(), arc->startPoint());
    EXPECT_EQ(copy->centerPoint(), arc->centerPoint());

    const double t = M_PI_4;
    StrongRef<Point3D> at = Point3D::make(doc.parent, ZkGePoint3d(2 * std::cos(t), std::sin(t), 0));
    StrongRef<Curve3D> first, second;
    arc->SplitInTwo(at, first, second);
    ASSERT_TRUE(ellipseOf(first) && ellipseOf(second));
    EXPECT_DOUBLE_EQ(ellipseOf(first)->endAngle(), t);
    EXPECT_DOUBLE_EQ(ellipseOf(second)->startAngle(), t);
    EXPECT_EQ(second->endPoint(), arc->endPoint());

    StrongRef<EllipticArc3D> ellipse =
        EllipticArc3D::make(doc.parent, ZkGePoint3d(9, 9, 0), kU, kV);
    StrongRef<Curve3D> none1, none2;
    ellipse->SplitInTwo(at, none1, none2);
    EXPECT_FALSE(none1 || none2);
}

} // namespace
} // namespace Kv::Geometry::Tests
