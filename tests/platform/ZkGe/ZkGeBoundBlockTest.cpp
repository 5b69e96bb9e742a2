#include "ZkGeTestSupport.h"

#include <cmath>

TEST(ZkGeBoundBlock3d, EmptyUntilExtended) {
    ZkGeBoundBlock3d box;
    EXPECT_TRUE(box.isEmpty());
    EXPECT_FALSE(box.contains(ZkGePoint3d()));
    box.extend(ZkGePoint3d(1, 2, 3));
    EXPECT_FALSE(box.isEmpty());
    EXPECT_EQ(box.minPoint(), box.maxPoint());
    box.extend(ZkGePoint3d(-1, 5, 0));
    EXPECT_EQ(box.minPoint(), ZkGePoint3d(-1, 2, 0));
    EXPECT_EQ(box.maxPoint(), ZkGePoint3d(1, 5, 3));
    EXPECT_EQ(box.center(), ZkGePoint3d(0, 3.5, 1.5));
}

TEST(ZkGeBoundBlock3d, GetGivesTheMinimumCornerAndTheAxisEdges) {
    const ZkGeBoundBlock3d box(ZkGePoint3d(4, -1, 2), ZkGePoint3d(1, 3, 2));
    ZkGePoint3d base;
    ZkGeVector3d x, y, z;
    box.get(base, x, y, z);
    EXPECT_EQ(base, ZkGePoint3d(1, -1, 2));
    EXPECT_EQ(x, ZkGeVector3d(3, 0, 0));
    EXPECT_EQ(y, ZkGeVector3d(0, 4, 0));
    EXPECT_EQ(z, ZkGeVector3d(0, 0, 0));
    EXPECT_EQ(base + x + y + z, box.maxPoint());
}

TEST(ZkGeBoundBlock3d, ExtendingByAnEmptyBoxChangesNothing) {
    ZkGeBoundBlock3d box(ZkGePoint3d(1, 1, 1), ZkGePoint3d(0, 0, 0));
    const ZkGeBoundBlock3d before = box;
    box.extend(ZkGeBoundBlock3d());
    EXPECT_EQ(box, before);
    ZkGeBoundBlock3d empty;
    empty.extend(before);
    EXPECT_EQ(empty, before);
}

TEST(ZkGeBoundBlock3d, RotatedBoxBoundsItsTransformedCorners) {
    ZkGeBoundBlock3d box(ZkGePoint3d(-1, -1, 0), ZkGePoint3d(1, 1, 2));
    box.transformBy(ZkGeMatrix3d::rotation(M_PI / 4, ZkGeVector3d::kZAxis));
    const double r = std::sqrt(2.0);
    EXPECT_TRUE(near(box.minPoint(), ZkGePoint3d(-r, -r, 0)));
    EXPECT_TRUE(near(box.maxPoint(), ZkGePoint3d(r, r, 2)));
    ZkGeBoundBlock3d empty;
    empty.transformBy(ZkGeMatrix3d::translation(ZkGeVector3d(1, 1, 1)));
    EXPECT_TRUE(empty.isEmpty());
}

TEST(ZkGeBoundBlock3d, ContainmentAndDisjointnessAreTolerant) {
    const ZkGeBoundBlock3d box(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 1, 1));
    EXPECT_TRUE(box.contains(ZkGePoint3d(1 + 0.5e-10, 0.5, 0)));
    EXPECT_FALSE(box.contains(ZkGePoint3d(1 + 2e-10, 0.5, 0)));
    EXPECT_FALSE(box.isDisjoint(ZkGeBoundBlock3d(ZkGePoint3d(1, 1, 1), ZkGePoint3d(2, 2, 2))));
    EXPECT_TRUE(box.isDisjoint(ZkGeBoundBlock3d(ZkGePoint3d(0, 0, 1.1), ZkGePoint3d(1, 1, 2))));
    EXPECT_TRUE(box.isDisjoint(ZkGeBoundBlock3d()));
}

TEST(ZkGeBoundBlock3d, SwellGrowsAndShrinksToEmpty) {
    ZkGeBoundBlock3d box(ZkGePoint3d(0, 0, 0), ZkGePoint3d(4, 4, 1));
    box.swell(1);
    EXPECT_EQ(box.minPoint(), ZkGePoint3d(-1, -1, -1));
    box.swell(-1.6);
    EXPECT_TRUE(box.isEmpty());
    box.extend(ZkGePoint3d(7, 7, 7));
    EXPECT_EQ(box.minPoint(), ZkGePoint3d(7, 7, 7));
}

TEST(ZkGeBoundBlock2d, BehavesLikeThe3dBox) {
    ZkGeBoundBlock2d box;
    EXPECT_TRUE(box.isEmpty());
    box.extend(ZkGePoint2d(2, -1)).extend(ZkGeBoundBlock2d(ZkGePoint2d(0, 0), ZkGePoint2d(1, 3)));
    EXPECT_EQ(box.minPoint(), ZkGePoint2d(0, -1));
    EXPECT_EQ(box.maxPoint(), ZkGePoint2d(2, 3));
    EXPECT_TRUE(box.contains(ZkGePoint2d(2, 3)));
    EXPECT_FALSE(box.contains(ZkGePoint2d(2.1, 3)));
    EXPECT_TRUE(box.isDisjoint(ZkGeBoundBlock2d(ZkGePoint2d(3, 0), ZkGePoint2d(4, 1))));
    box.extend(ZkGeBoundBlock2d());
    EXPECT_EQ(box.maxPoint(), ZkGePoint2d(2, 3));
    EXPECT_TRUE(box.swell(-2).isEmpty());
}
