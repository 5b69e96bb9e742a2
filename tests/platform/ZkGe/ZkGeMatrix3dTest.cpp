#include "ZkGeTestSupport.h"

#include <cmath>
#include <tuple>

namespace {

ZkGePoint3d apply(const ZkGeMatrix3d& m, ZkGePoint3d p) {
    return p.transformBy(m);
}

} // namespace

TEST(ZkGeMatrix3d, RotationIsRightHandedAboutTheGivenCenter) {
    const ZkGeMatrix3d r = ZkGeMatrix3d::rotation(M_PI / 2, ZkGeVector3d::kZAxis);
    EXPECT_TRUE(near(apply(r, ZkGePoint3d(1, 0, 0)), ZkGePoint3d(0, 1, 0)));
    EXPECT_TRUE(near(apply(r, ZkGePoint3d(0, 1, 0)), ZkGePoint3d(-1, 0, 0)));
    const ZkGeMatrix3d aboutX = ZkGeMatrix3d::rotation(M_PI / 2, ZkGeVector3d(3, 0, 0));
    EXPECT_TRUE(near(apply(aboutX, ZkGePoint3d(0, 1, 0)), ZkGePoint3d(0, 0, 1)));
    const ZkGeMatrix3d centered =
        ZkGeMatrix3d::rotation(M_PI, ZkGeVector3d::kZAxis, ZkGePoint3d(1, 1, 0));
    EXPECT_TRUE(near(apply(centered, ZkGePoint3d(1, 1, 5)), ZkGePoint3d(1, 1, 5)));
    EXPECT_TRUE(near(apply(centered, ZkGePoint3d(2, 1, 0)), ZkGePoint3d(0, 1, 0)));
    // A third of a turn about the diagonal cycles the axes.
    const ZkGeMatrix3d cycle = ZkGeMatrix3d::rotation(2 * M_PI / 3, ZkGeVector3d(1, 1, 1));
    EXPECT_TRUE(near(apply(cycle, ZkGePoint3d(1, 0, 0)), ZkGePoint3d(0, 1, 0)));
    EXPECT_TRUE(near(apply(cycle, ZkGePoint3d(0, 0, 1)), ZkGePoint3d(1, 0, 0)));
}

TEST(ZkGeMatrix3d, CoordSystemRoundTripsThroughInverse) {
    const ZkGePoint3d origin(1, 2, 3);
    const ZkGeVector3d x(0, 1, 0), y(-1, 0, 0), z(0, 0, 2);
    ZkGeMatrix3d m;
    m.setCoordSystem(origin, x, y, z);
    EXPECT_TRUE(near(apply(m, ZkGePoint3d(1, 2, 3)), origin + x + 2 * y + 3 * z));

    ZkGePoint3d o2;
    ZkGeVector3d x2, y2, z2;
    m.getCoordSystem(o2, x2, y2, z2);
    EXPECT_EQ(std::tie(o2, x2, y2, z2), std::tie(origin, x, y, z));

    EXPECT_TRUE(near(m * m.inverse(), ZkGeMatrix3d::kIdentity));
    EXPECT_TRUE(near(apply(m.inverse(), origin + z), ZkGePoint3d(0, 0, 1)));
}

TEST(ZkGeMatrix3d, AlignCoordSysMovesOneFrameOntoTheOther) {
    const ZkGePoint3d fromOrigin(1, 0, 0), toOrigin(0, 5, 0);
    const ZkGeVector3d fx(0, 0, 1), fy(0, 1, 0), fz(-1, 0, 0);
    const ZkGeVector3d tx(1, 0, 0), ty(0, 0, -1), tz(0, 1, 0);
    ZkGeMatrix3d m;
    m.setToAlignCoordSys(fromOrigin, fx, fy, fz, toOrigin, tx, ty, tz);
    EXPECT_TRUE(near(apply(m, fromOrigin), toOrigin));
    EXPECT_TRUE(near(apply(m, fromOrigin + 2 * fx + 3 * fy), toOrigin + 2 * tx + 3 * ty));
    EXPECT_NEAR(m.det(), 1.0, 1e-15);
}

TEST(ZkGeMatrix3d, MultiplicationOrder) {
    const ZkGeMatrix3d t = ZkGeMatrix3d::translation(ZkGeVector3d(1, 0, 0));
    const ZkGeMatrix3d r = ZkGeMatrix3d::rotation(M_PI / 2, ZkGeVector3d::kZAxis);
    // t * r rotates first: the origin stays, then moves to x = 1.
    EXPECT_TRUE(near(apply(t * r, ZkGePoint3d(0, 0, 0)), ZkGePoint3d(1, 0, 0)));
    EXPECT_TRUE(near(apply(r * t, ZkGePoint3d(0, 0, 0)), ZkGePoint3d(0, 1, 0)));
    ZkGeMatrix3d pre = t;
    pre.preMultBy(r);
    EXPECT_EQ(pre, r * t);
    ZkGeMatrix3d post = t;
    post.postMultBy(r);
    EXPECT_EQ(post, t * r);
}

TEST(ZkGeMatrix3d, DeterminantAndSingularity) {
    EXPECT_NEAR(ZkGeMatrix3d().setToScaling(2, ZkGePoint3d(4, 5, 6)).det(), 8.0, 1e-14);
    EXPECT_NEAR(ZkGeMatrix3d::rotation(0.3, ZkGeVector3d(1, 2, 3)).det(), 1.0, 1e-15);

    // A tiny uniform scale is far from singular; flattening onto a plane is.
    EXPECT_FALSE(ZkGeMatrix3d().setToScaling(1e-6).isSingular());
    ZkGeMatrix3d flat;
    flat.setCoordSystem(ZkGePoint3d(), ZkGeVector3d(1, 0, 0), ZkGeVector3d(0, 1, 0),
                        ZkGeVector3d(1, 1, 0));
    EXPECT_TRUE(flat.isSingular());
    const ZkGeMatrix3d before = flat;
    EXPECT_EQ(flat.invert(), before);
}

TEST(ZkGeMatrix3d, TransposeOfRotationIsItsInverse) {
    const ZkGeMatrix3d r = ZkGeMatrix3d::rotation(1.1, ZkGeVector3d(-1, 2, 0.5));
    ZkGeMatrix3d rt = r;
    rt.transpose();
    EXPECT_TRUE(near(rt, r.inverse()));
    EXPECT_EQ(rt(0, 1), r(1, 0));
}

TEST(ZkGeMatrix3d, TranslationComparesAsPositions) {
    const ZkGeMatrix3d m = ZkGeMatrix3d::translation(ZkGeVector3d(1, 2, 3));
    EXPECT_EQ(m.translation(), ZkGeVector3d(1, 2, 3));
    ZkGeMatrix3d moved = m;
    moved(0, 3) += 5e-11;
    EXPECT_TRUE(moved.isEqualTo(m));
    ZkGeMatrix3d skewed = m;
    skewed(0, 1) += 5e-11;
    EXPECT_FALSE(skewed.isEqualTo(m));
}

TEST(ZkGeMatrix3d, TranslationOnlyWhenTheBlockIsTheIdentity) {
    EXPECT_TRUE(ZkGeMatrix3d::kIdentity.isTranslation());
    EXPECT_TRUE(ZkGeMatrix3d::translation(ZkGeVector3d(1, -2, 3)).isTranslation());
    EXPECT_FALSE(ZkGeMatrix3d::rotation(1e-9, ZkGeVector3d::kZAxis).isTranslation());
    EXPECT_FALSE(ZkGeMatrix3d().setToScaling(2).isTranslation());
}
