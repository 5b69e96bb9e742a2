#include "ZkGeTestSupport.h"

#include <cmath>

TEST(ZkGeLine3d, ParameterIsDistanceAlongTheNormalisedDirection) {
    const ZkGeLine3d line(ZkGePoint3d(1, 1, 0), ZkGeVector3d(0, 4, 0));
    EXPECT_EQ(line.direction(), ZkGeVector3d(0, 1, 0));
    EXPECT_EQ(line.paramOf(ZkGePoint3d(7, -2, 3)), -3.0);
    EXPECT_EQ(line.evalPoint(-3), ZkGePoint3d(1, -2, 0));
    EXPECT_TRUE(near(line.closestPointTo(ZkGePoint3d(7, -2, 3)), ZkGePoint3d(1, -2, 0)));
    EXPECT_DOUBLE_EQ(line.distanceTo(ZkGePoint3d(4, 100, 4)), 5.0);
    EXPECT_FALSE(line.interval().isBoundedBelow());
}

TEST(ZkGeLine3d, TransformKeepsDirectionUnitUnderScaling) {
    ZkGeLine3d line(ZkGePoint3d(1, 0, 0), ZkGeVector3d(1, 1, 0));
    line.transformBy(ZkGeMatrix3d().setToScaling(3));
    EXPECT_EQ(line.pointOnLine(), ZkGePoint3d(3, 0, 0));
    EXPECT_TRUE(line.direction().isUnitLength());
    EXPECT_TRUE(line.direction().isParallelTo(ZkGeVector3d(1, 1, 0)));
}

TEST(ZkGeRay3d, NothingBehindTheStart) {
    const ZkGeRay3d ray(ZkGePoint3d(1, 0, 0), ZkGeVector3d(2, 0, 0));
    EXPECT_EQ(ray.closestPointTo(ZkGePoint3d(-2, 4, 0)), ZkGePoint3d(1, 0, 0));
    EXPECT_DOUBLE_EQ(ray.distanceTo(ZkGePoint3d(-2, 4, 0)), 5.0);
    EXPECT_EQ(ray.closestPointTo(ZkGePoint3d(5, 4, 0)), ZkGePoint3d(5, 0, 0));
    EXPECT_TRUE(ray.isOn(ZkGePoint3d(1 - 0.5e-10, 0, 0)));
    EXPECT_FALSE(ray.isOn(ZkGePoint3d(1 - 2e-10, 0, 0)));
}

TEST(ZkGeLineSeg3d, ClosestPointClampsToTheEnds) {
    const ZkGeLineSeg3d seg(ZkGePoint3d(0, 0, 0), ZkGePoint3d(4, 0, 0));
    EXPECT_EQ(seg.direction(), ZkGeVector3d(4, 0, 0));
    EXPECT_EQ(seg.paramOf(ZkGePoint3d(1, 9, 9)), 0.25);
    EXPECT_EQ(seg.closestPointTo(ZkGePoint3d(-3, 4, 0)), seg.startPoint());
    EXPECT_EQ(seg.closestPointTo(ZkGePoint3d(7, 0, 4)), seg.endPoint());
    EXPECT_DOUBLE_EQ(seg.distanceTo(ZkGePoint3d(7, 0, 4)), 5.0);
    EXPECT_EQ(seg.closestPointTo(ZkGePoint3d(3, 2, 0)), ZkGePoint3d(3, 0, 0));
    EXPECT_EQ(seg.midPoint(), ZkGePoint3d(2, 0, 0));
    EXPECT_EQ(seg.length(), 4.0);
    EXPECT_FALSE(seg.isOn(ZkGePoint3d(4.001, 0, 0)));
}

TEST(ZkGeLineSeg3d, TransformMovesBothEnds) {
    ZkGeLineSeg3d seg(ZkGePoint3d(1, 0, 0), ZkGePoint3d(2, 0, 0));
    seg.transformBy(ZkGeMatrix3d::rotation(M_PI / 2, ZkGeVector3d::kZAxis));
    EXPECT_TRUE(near(seg.startPoint(), ZkGePoint3d(0, 1, 0)));
    EXPECT_TRUE(near(seg.endPoint(), ZkGePoint3d(0, 2, 0)));
}

TEST(ZkGeLineSeg3d, DegenerateSegmentActsAsAPoint) {
    const ZkGeLineSeg3d seg(ZkGePoint3d(1, 2, 3), ZkGePoint3d(1, 2, 3));
    EXPECT_TRUE(seg.isDegenerate());
    EXPECT_FALSE(ZkGeLineSeg3d().isDegenerate());
    EXPECT_EQ(seg.closestPointTo(ZkGePoint3d(5, 5, 5)), seg.startPoint());
    EXPECT_FALSE(seg.isParallelTo(ZkGeLine3d::kXAxis));
    EXPECT_FALSE(seg.isColinearTo(seg));
}

TEST(ZkGeLinearEnt3d, ColinearMeansTheSameCarryingLine) {
    const ZkGeLineSeg3d a(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 1, 1));
    const ZkGeLineSeg3d farAlong(ZkGePoint3d(5, 5, 5), ZkGePoint3d(4, 4, 4));
    const ZkGeLineSeg3d offset(ZkGePoint3d(0, 0, 1e-6), ZkGePoint3d(1, 1, 1 + 1e-6));
    EXPECT_TRUE(a.isColinearTo(farAlong));
    EXPECT_TRUE(a.isColinearTo(ZkGeRay3d(ZkGePoint3d(-2, -2, -2), ZkGeVector3d(-1, -1, -1))));
    EXPECT_TRUE(a.isParallelTo(offset));
    EXPECT_FALSE(a.isColinearTo(offset));
}
