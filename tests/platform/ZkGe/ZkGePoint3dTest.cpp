#include "ZkGeTestSupport.h"

#include <cmath>

TEST(ZkGePoint3d, QuarterTurnAboutZIsCounterClockwise) {
    ZkGePoint3d p(1, 0, 0);
    p.rotateBy(M_PI / 2, ZkGeVector3d::kZAxis);
    EXPECT_TRUE(near(p, ZkGePoint3d(0, 1, 0)));
    ZkGePoint3d q(2, 1, 7);
    q.rotateBy(M_PI / 2, ZkGeVector3d::kZAxis, ZkGePoint3d(1, 1, 0));
    EXPECT_TRUE(near(q, ZkGePoint3d(1, 2, 7)));
}

TEST(ZkGePoint3d, EqualityToleranceEdges) {
    const ZkGePoint3d p(10, -20, 30);
    EXPECT_TRUE(p.isEqualTo(p + ZkGeVector3d(0, 0.9e-10, 0)));
    EXPECT_FALSE(p.isEqualTo(p + ZkGeVector3d(0, 1.1e-10, 0)));
    EXPECT_TRUE(p.isEqualTo(p + ZkGeVector3d(1e-4, 0, 0), ZkGeTol(1e-3, 1e-12)));
    EXPECT_NE(p, p + ZkGeVector3d(1e-15, 0, 0));
}

TEST(ZkGePoint3d, ProjectAlongDirectionOntoPlane) {
    const ZkGePoint3d p(1, 2, 5);
    EXPECT_TRUE(near(p.project(ZkGePlane::kXYPlane, ZkGeVector3d(1, 0, -1)), ZkGePoint3d(6, 2, 0)));
    // The direction's sense does not matter, only the line it spans.
    EXPECT_TRUE(near(p.project(ZkGePlane::kXYPlane, ZkGeVector3d(-2, 0, 2)), ZkGePoint3d(6, 2, 0)));
    EXPECT_EQ(p.project(ZkGePlane::kXYPlane, ZkGeVector3d(1, 1, 0)), p);
}

TEST(ZkGePoint3d, OrthoProjectDropsThePerpendicular) {
    const ZkGePlane plane(ZkGePoint3d(0, 0, 1), ZkGeVector3d(1, 0, 1));
    const ZkGePoint3d foot = ZkGePoint3d(3, 4, 3).orthoProject(plane);
    EXPECT_TRUE(near(foot, ZkGePoint3d(0.5, 4, 0.5)));
    EXPECT_TRUE(plane.isOn(foot));
}

TEST(ZkGePoint3d, TransformAppliesTranslation) {
    ZkGePoint3d p(1, 1, 1);
    p.transformBy(ZkGeMatrix3d().setToScaling(2, ZkGePoint3d(1, 0, 0)));
    EXPECT_EQ(p, ZkGePoint3d(1, 2, 2));
}
