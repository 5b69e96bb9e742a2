#include "ZkGeTestSupport.h"

#include <cmath>

TEST(ZkGeVector2d, CrossSignTellsTheTurn) {
    const ZkGeVector2d x = ZkGeVector2d::kXAxis;
    EXPECT_GT(x.crossProduct(ZkGeVector2d(1, 1)), 0);
    EXPECT_LT(x.crossProduct(ZkGeVector2d(1, -1)), 0);
    EXPECT_EQ(x.perpVector(), ZkGeVector2d::kYAxis);
}

TEST(ZkGeVector2d, AngleParallelAndLength) {
    const ZkGeVector2d v(3, 4);
    EXPECT_EQ(v.length(), 5);
    EXPECT_DOUBLE_EQ(ZkGeVector2d(1, 0).angleTo(ZkGeVector2d(-1, 1)), 3 * M_PI / 4);
    EXPECT_TRUE(v.isParallelTo(ZkGeVector2d(-6, -8)));
    EXPECT_TRUE(v.isPerpendicularTo(ZkGeVector2d(-4, 3)));
    EXPECT_FALSE(v.isParallelTo(ZkGeVector2d()));
    EXPECT_EQ(ZkGeVector2d().normal(), ZkGeVector2d());
    EXPECT_TRUE(v.normal().isUnitLength());
}

TEST(ZkGePoint2d, RotateAboutPointAndTolerance) {
    ZkGePoint2d p(2, 1);
    p.rotateBy(M_PI / 2, ZkGePoint2d(1, 1));
    EXPECT_TRUE(near(p, ZkGePoint2d(1, 2)));
    EXPECT_TRUE(p.isEqualTo(p + ZkGeVector2d(0.9e-10, 0)));
    EXPECT_FALSE(p.isEqualTo(p + ZkGeVector2d(1.1e-10, 0)));
    EXPECT_EQ(ZkGePoint2d(4, 6) - ZkGePoint2d(1, 2), ZkGeVector2d(3, 4));
}
