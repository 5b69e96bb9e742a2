#include "ZkGeTestSupport.h"

#include <cmath>

TEST(ZkGeArcAngles, ClampToArcPicksTheSmallerTurn) {
    // The arc from 1 to 2 leaves a gap of 2 pi - 1; its middle is at 1.5 + pi.
    EXPECT_DOUBLE_EQ(ZkGeArcAngles::clampToArc(1.5 + 2 * M_PI, 1, 2), 1.5);
    EXPECT_EQ(ZkGeArcAngles::clampToArc(1.5 + M_PI - 0.01, 1, 2), 2);
    EXPECT_EQ(ZkGeArcAngles::clampToArc(1.5 + M_PI + 0.01, 1, 2), 1);
    EXPECT_EQ(ZkGeArcAngles::clampToArc(1 - 1e-14, 1, 2), 1);
    // Never beyond the end, whatever the rounding of start + offset.
    EXPECT_LE(ZkGeArcAngles::clampToArc(2 - 2 * M_PI, 1, 2), 2);
}

TEST(ZkGeArcAngles, FindInArcRejectsTheGap) {
    double angle = 0;
    EXPECT_TRUE(ZkGeArcAngles::findInArc(0, -1, 1, angle));
    EXPECT_EQ(angle, 0);
    EXPECT_TRUE(ZkGeArcAngles::findInArc(2 * M_PI - 0.5, -1, 1, angle));
    EXPECT_NEAR(angle, -0.5, 1e-15);
    EXPECT_FALSE(ZkGeArcAngles::findInArc(M_PI, -1, 1, angle));
}

TEST(ZkGeArcAngles, FromComponentsStaysBelowATurn) {
    EXPECT_EQ(ZkGeArcAngles::fromComponents(0, 1), 0);
    EXPECT_DOUBLE_EQ(ZkGeArcAngles::fromComponents(-1, 0), 1.5 * M_PI);
    EXPECT_LT(ZkGeArcAngles::fromComponents(-1e-300, 1), 2 * M_PI);
}
