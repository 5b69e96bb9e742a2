#include "ZkGeTestSupport.h"

#include <cmath>
#include <limits>

TEST(ZkGeInterval, DefaultIsUnboundedBothWays) {
    const ZkGeInterval all;
    EXPECT_FALSE(all.isBoundedBelow());
    EXPECT_FALSE(all.isBoundedAbove());
    EXPECT_FALSE(all.isBounded());
    EXPECT_TRUE(all.contains(-1e300));
    EXPECT_TRUE(std::isinf(all.length()));
}

TEST(ZkGeInterval, BoundsInEitherOrderAndHalfOpenRanges) {
    const ZkGeInterval range(3, -1);
    EXPECT_EQ(range.lowerBound(), -1);
    EXPECT_EQ(range.upperBound(), 3);
    EXPECT_EQ(range.length(), 4);
    EXPECT_TRUE(range.isBounded());

    const ZkGeInterval ray(0, std::numeric_limits<double>::infinity());
    EXPECT_TRUE(ray.isBoundedBelow());
    EXPECT_FALSE(ray.isBoundedAbove());
    EXPECT_TRUE(ray.contains(1e300));
    EXPECT_FALSE(ray.contains(-1));
}

TEST(ZkGeInterval, ContainsWithinTolerance) {
    const ZkGeInterval unit(0, 1);
    EXPECT_TRUE(unit.contains(1 + 0.5e-10));
    EXPECT_FALSE(unit.contains(1 + 2e-10));
    EXPECT_TRUE(unit.contains(-0.5e-10));
    EXPECT_FALSE(unit.contains(-2e-10));
    EXPECT_TRUE(unit.contains(-0.01, ZkGeTol(0.1, 1e-12)));
}
