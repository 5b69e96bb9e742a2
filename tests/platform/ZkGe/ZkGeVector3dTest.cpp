#include "ZkGeTestSupport.h"

#include <cmath>

TEST(ZkGeVector3d, NormalOfZeroStaysZeroAndNormalizeWorksInPlace) {
    EXPECT_EQ(ZkGeVector3d().normal(), ZkGeVector3d());
    ZkGeVector3d v(3, 0, 4);
    ZkGeVector3d& same = v.normalize();
    EXPECT_EQ(&same, &v);
    EXPECT_TRUE(near(v, ZkGeVector3d(0.6, 0, 0.8)));
    EXPECT_TRUE(v.isUnitLength());
}

TEST(ZkGeVector3d, CrossProductIsRightHanded) {
    EXPECT_EQ(ZkGeVector3d::kXAxis.crossProduct(ZkGeVector3d::kYAxis), ZkGeVector3d::kZAxis);
    EXPECT_EQ(ZkGeVector3d::kZAxis.crossProduct(ZkGeVector3d::kXAxis), ZkGeVector3d::kYAxis);
}

TEST(ZkGeVector3d, AngleToKeepsPrecisionForTinyAngles) {
    const ZkGeVector3d a(1, 0, 0);
    EXPECT_DOUBLE_EQ(a.angleTo(ZkGeVector3d(0, 5, 0)), M_PI / 2);
    EXPECT_DOUBLE_EQ(a.angleTo(ZkGeVector3d(-2, 0, 0)), M_PI);
    EXPECT_NEAR(a.angleTo(ZkGeVector3d(1, 1e-9, 0)), 1e-9, 1e-20);
}

TEST(ZkGeVector3d, AngleToWithReferenceRunsCounterClockwiseUpToTwoPi) {
    const ZkGeVector3d x = ZkGeVector3d::kXAxis;
    const ZkGeVector3d y = ZkGeVector3d::kYAxis;
    EXPECT_DOUBLE_EQ(x.angleTo(y, ZkGeVector3d::kZAxis), M_PI / 2);
    EXPECT_DOUBLE_EQ(x.angleTo(y, -ZkGeVector3d::kZAxis), 3 * M_PI / 2);
    EXPECT_DOUBLE_EQ(x.angleTo(ZkGeVector3d(1, -1, 0), ZkGeVector3d::kZAxis), 7 * M_PI / 4);
    EXPECT_EQ(x.angleTo(x, ZkGeVector3d::kZAxis), 0.0);
}

TEST(ZkGeVector3d, EqualityToleranceEdges) {
    const ZkGeVector3d v(1, 2, 3);
    EXPECT_TRUE(v.isEqualTo(v + ZkGeVector3d(0.9e-12, 0, 0)));
    EXPECT_FALSE(v.isEqualTo(v + ZkGeVector3d(1.1e-12, 0, 0)));
    EXPECT_TRUE(v.isEqualTo(v + ZkGeVector3d(0, 1e-6, 0), ZkGeTol(1e-10, 1e-5)));
    EXPECT_TRUE(ZkGeVector3d(0, 0, 0.9e-12).isZeroLength());
    EXPECT_FALSE(ZkGeVector3d(0, 0, 1.1e-12).isZeroLength());
}

TEST(ZkGeVector3d, ParallelAndPerpendicularIgnoreLengthAndRejectZero) {
    const ZkGeVector3d v(1, 2, 3);
    EXPECT_TRUE(v.isParallelTo(v * -7));
    EXPECT_FALSE(v.isParallelTo(v + ZkGeVector3d(0, 0, 1e-6)));
    EXPECT_TRUE(v.isPerpendicularTo(ZkGeVector3d(3, 0, -1)));
    EXPECT_FALSE(v.isParallelTo(ZkGeVector3d()));
    EXPECT_FALSE(ZkGeVector3d().isPerpendicularTo(v));
}

TEST(ZkGeVector3d, PerpVectorIsUnitPerpendicularAndFollowsTheAxisRule) {
    EXPECT_TRUE(near(ZkGeVector3d(0, 0, 5).perpVector(), ZkGeVector3d::kXAxis));
    // Just outside the near-z band the z axis is the helper: Z x n.
    const ZkGeVector3d tilted(0.02, 0, 1);
    EXPECT_TRUE(near(tilted.perpVector(), ZkGeVector3d::kYAxis));
    for (const ZkGeVector3d v :
         {ZkGeVector3d(1, 0, 0), ZkGeVector3d(-3, 4, 12), ZkGeVector3d(0.001, -0.001, -1)}) {
        const ZkGeVector3d p = v.perpVector();
        EXPECT_TRUE(p.isUnitLength());
        EXPECT_TRUE(p.isPerpendicularTo(v));
    }
    EXPECT_EQ(ZkGeVector3d().perpVector(), ZkGeVector3d());
}

TEST(ZkGeVector3d, TransformIgnoresTranslation) {
    ZkGeVector3d v(1, 0, 0);
    v.transformBy(ZkGeMatrix3d::translation(ZkGeVector3d(5, 5, 5)));
    EXPECT_EQ(v, ZkGeVector3d(1, 0, 0));
    v.rotateBy(M_PI / 2, ZkGeVector3d::kZAxis);
    EXPECT_TRUE(near(v, ZkGeVector3d(0, 1, 0)));
}
