#include "ZkGeTestSupport.h"

#include <cmath>

TEST(ZkGePlane, CoefficientsRoundTripNormalised) {
    const ZkGePlane plane(0, 0, 2, -4);
    EXPECT_EQ(plane.normal(), ZkGeVector3d(0, 0, 1));
    EXPECT_EQ(plane.pointOnPlane(), ZkGePoint3d(0, 0, 2));
    double a, b, c, d;
    ZkGePlane(3, 0, 4, 10).getCoefficients(a, b, c, d);
    EXPECT_DOUBLE_EQ(a, 0.6);
    EXPECT_DOUBLE_EQ(c, 0.8);
    EXPECT_DOUBLE_EQ(d, 2.0);
    EXPECT_EQ(b, 0.0);
}

TEST(ZkGePlane, ThreePointsGiveACounterClockwiseNormal) {
    const ZkGePlane plane(ZkGePoint3d(1, 0, 5), ZkGePoint3d(3, 0, 5), ZkGePoint3d(1, 4, 5));
    EXPECT_EQ(plane.normal(), ZkGeVector3d(0, 0, 1));
    EXPECT_DOUBLE_EQ(plane.signedDistanceTo(ZkGePoint3d(9, 9, 2)), -3.0);
    EXPECT_DOUBLE_EQ(plane.distanceTo(ZkGePoint3d(9, 9, 2)), 3.0);
    EXPECT_EQ(plane.closestPointTo(ZkGePoint3d(9, 9, 2)), ZkGePoint3d(9, 9, 5));
}

TEST(ZkGePlane, IntersectWithLinesRaysAndSegments) {
    const ZkGePlane plane(ZkGePoint3d(0, 0, 1), ZkGeVector3d(0, 0, 1));
    ZkGePoint3d hit;
    EXPECT_TRUE(plane.intersectWith(ZkGeLine3d(ZkGePoint3d(1, 1, 5), ZkGeVector3d(1, 0, -1)), hit));
    EXPECT_TRUE(near(hit, ZkGePoint3d(5, 1, 1)));

    const ZkGePoint3d untouched(9, 9, 9);
    hit = untouched;
    EXPECT_FALSE(plane.intersectWith(ZkGeLine3d(ZkGePoint3d(0, 0, 3), ZkGeVector3d(1, 1, 0)), hit));
    EXPECT_FALSE(plane.intersectWith(ZkGeLine3d(ZkGePoint3d(0, 0, 1), ZkGeVector3d(1, 0, 0)), hit));
    EXPECT_FALSE(
        plane.intersectWith(ZkGeLineSeg3d(ZkGePoint3d(0, 0, 3), ZkGePoint3d(0, 0, 2)), hit));
    EXPECT_FALSE(plane.intersectWith(ZkGeRay3d(ZkGePoint3d(0, 0, 3), ZkGeVector3d(0, 0, 1)), hit));
    EXPECT_EQ(hit, untouched);

    EXPECT_TRUE(plane.intersectWith(ZkGeRay3d(ZkGePoint3d(0, 0, 3), ZkGeVector3d(0, 1, -1)), hit));
    EXPECT_TRUE(near(hit, ZkGePoint3d(0, 2, 1)));
    EXPECT_TRUE(
        plane.intersectWith(ZkGeLineSeg3d(ZkGePoint3d(2, 0, 3), ZkGePoint3d(2, 0, 1)), hit));
    EXPECT_TRUE(near(hit, ZkGePoint3d(2, 0, 1)));
}

TEST(ZkGePlane, CoordSystemIsRightHandedAndDeterministic) {
    ZkGePoint3d origin;
    ZkGeVector3d u, v;
    ZkGePlane::kXYPlane.getCoordSystem(origin, u, v);
    EXPECT_EQ(u, ZkGeVector3d::kXAxis);
    EXPECT_EQ(v, ZkGeVector3d::kYAxis);

    const ZkGePlane tilted(ZkGePoint3d(1, 2, 3), ZkGeVector3d(1, -2, 2));
    tilted.getCoordSystem(origin, u, v);
    EXPECT_EQ(origin, ZkGePoint3d(1, 2, 3));
    EXPECT_TRUE(near(u, ZkGeVector3d::kZAxis.crossProduct(tilted.normal()).normal()));
    EXPECT_TRUE(v.isUnitLength());
    EXPECT_TRUE(near(u.crossProduct(v), tilted.normal()));
}

TEST(ZkGePlane, CoplanarIgnoresOrientationButEqualityDoesNot) {
    const ZkGePlane plane(ZkGePoint3d(0, 0, 1), ZkGeVector3d(0, 0, 1));
    const ZkGePlane flipped(ZkGePoint3d(5, 5, 1), ZkGeVector3d(0, 0, -1));
    EXPECT_TRUE(plane.isCoplanarTo(flipped));
    EXPECT_FALSE(plane.isCoplanarTo(ZkGePlane(ZkGePoint3d(0, 0, 1 + 1e-9), plane.normal())));
    EXPECT_FALSE(plane.isEqualTo(ZkGePlane(ZkGePoint3d(0, 0, 1), ZkGeVector3d(0, 0, -1))));
    EXPECT_TRUE(plane.isEqualTo(ZkGePlane(0, 0, 1, -1)));
}

TEST(ZkGePlane, TransformKeepsPointsOnAndSidesUnderMirrorAndScaling) {
    // x + y = 0 scaled by 2 along x only: a transformed normal would go wrong.
    ZkGePlane plane(ZkGePoint3d(), ZkGeVector3d(1, 1, 0));
    ZkGeMatrix3d stretch;
    stretch.setCoordSystem(ZkGePoint3d(), ZkGeVector3d(2, 0, 0), ZkGeVector3d::kYAxis,
                           ZkGeVector3d::kZAxis);
    plane.transformBy(stretch);
    EXPECT_TRUE(plane.isOn(ZkGePoint3d(2, -1, 0)));
    EXPECT_GT(plane.signedDistanceTo(ZkGePoint3d(2, 0, 0)), 0.0);

    ZkGePlane xy = ZkGePlane::kXYPlane;
    ZkGeMatrix3d mirror;
    mirror.setCoordSystem(ZkGePoint3d(), ZkGeVector3d::kXAxis, ZkGeVector3d::kYAxis,
                          ZkGeVector3d(0, 0, -1));
    xy.transformBy(mirror);
    EXPECT_GT(xy.signedDistanceTo(ZkGePoint3d(0, 0, -1)), 0.0);
}
