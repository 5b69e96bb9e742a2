#include "ZkGeTestSupport.h"

TEST(ZkGeEntity3d, IsKindOfCoversOwnTypeAndBases) {
    const ZkGeLineSeg3d seg;
    EXPECT_EQ(seg.type(), ZkGe::kLineSeg3d);
    EXPECT_TRUE(seg.isKindOf(ZkGe::kLinearEnt3d));
    EXPECT_TRUE(seg.isKindOf(ZkGe::kEntity3d));
    EXPECT_FALSE(seg.isKindOf(ZkGe::kLine3d));
    EXPECT_FALSE(seg.isKindOf(ZkGe::kPlanarEnt));

    const ZkGePlane plane;
    EXPECT_EQ(plane.type(), ZkGe::kPlane);
    EXPECT_TRUE(plane.isKindOf(ZkGe::kPlanarEnt));
    EXPECT_TRUE(plane.isKindOf(ZkGe::kEntity3d));
    EXPECT_FALSE(plane.isKindOf(ZkGe::kLinearEnt3d));
}

TEST(ZkGeEntity3d, CopyIsIndependentAndEqual) {
    const ZkGeLine3d line(ZkGePoint3d(1, 2, 3), ZkGeVector3d(0, 0, 1));
    std::unique_ptr<ZkGeEntity3d> copy = line.copy();
    EXPECT_TRUE(copy->isEqualTo(line));
    copy->translateBy(ZkGeVector3d(1, 0, 0));
    EXPECT_FALSE(copy->isEqualTo(line));
    EXPECT_EQ(line.pointOnLine(), ZkGePoint3d(1, 2, 3));
    EXPECT_EQ(static_cast<ZkGeLine3d&>(*copy).pointOnLine(), ZkGePoint3d(2, 2, 3));
}

TEST(ZkGeEntity3d, EqualityNeedsTheSameTypeAndData) {
    const ZkGeRay3d ray(ZkGePoint3d(), ZkGeVector3d(1, 0, 0));
    const ZkGeLine3d line(ZkGePoint3d(), ZkGeVector3d(1, 0, 0));
    EXPECT_FALSE(ray.isEqualTo(line));
    EXPECT_TRUE(ray.isEqualTo(ZkGeRay3d(ZkGePoint3d(0, 0.5e-10, 0), ZkGeVector3d(7, 0, 0))));
    // Same point set, different defining data.
    EXPECT_FALSE(line.isEqualTo(ZkGeLine3d(ZkGePoint3d(1, 0, 0), ZkGeVector3d(1, 0, 0))));
    const ZkGeLineSeg3d seg(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0));
    EXPECT_FALSE(seg.isEqualTo(ZkGeLineSeg3d(seg.endPoint(), seg.startPoint())));
    EXPECT_FALSE(seg.isEqualTo(line));
    // The same point set as a circle and as an ellipse: the kinds differ.
    const ZkGeCircArc3d circle(ZkGePoint3d(), ZkGeVector3d::kZAxis, 2);
    EXPECT_FALSE(ZkGeEllipArc3d(circle).isEqualTo(circle));
    EXPECT_FALSE(circle.isEqualTo(ZkGeEllipArc3d(circle)));
    EXPECT_TRUE(ZkGeEllipArc3d(circle).isEqualTo(
        ZkGeEllipArc3d(ZkGePoint3d(), circle.refVec(), ZkGeVector3d(0, 1, 0), 2, 2)));
}
