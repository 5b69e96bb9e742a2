#include "ZkGeCurveTestSupport.h"

#include <cmath>

TEST(ZkGeCircArc2d, AnglesRunCounterClockwiseFromTheReference) {
    const ZkGeCircArc2d arc(ZkGePoint2d(1, 1), 2, 0, M_PI, ZkGeVector2d(0, 3));
    EXPECT_EQ(arc.refVec(), ZkGeVector2d(0, 1));
    EXPECT_TRUE(near(arc.startPoint(), ZkGePoint2d(1, 3)));
    EXPECT_TRUE(near(arc.evalPoint(M_PI / 2), ZkGePoint2d(-1, 1)));
    EXPECT_TRUE(near(arc.endPoint(), ZkGePoint2d(1, -1)));
    EXPECT_DOUBLE_EQ(arc.angleOf(ZkGeVector2d(1, 0)), 3 * M_PI / 2);
    EXPECT_DOUBLE_EQ(arc.length(), 2 * M_PI);
    for (const double t : {0.0, 1.0, 3.0})
        EXPECT_TRUE((derivativesMatchDifferences<ZkGeCircArc2d, ZkGeVector2d>(arc, t)));
}

TEST(ZkGeCircArc2d, ThreePointsEitherWayRound) {
    const ZkGePoint2d a(4, 1), b(1, 4), c(-2, 1);
    const ZkGeCircArc2d ccw(a, b, c);
    EXPECT_TRUE(near(ccw.center(), ZkGePoint2d(1, 1)));
    EXPECT_DOUBLE_EQ(ccw.radius(), 3);
    EXPECT_TRUE(near(ccw.startPoint(), a));
    EXPECT_TRUE(near(ccw.endPoint(), c));
    EXPECT_TRUE(ccw.isOn(b));
    EXPECT_DOUBLE_EQ(ccw.endAng() - ccw.startAng(), M_PI);
    // Picked clockwise, through the bottom: the same points, stored from c.
    const ZkGePoint2d below(1, -2);
    const ZkGeCircArc2d cw(a, below, c);
    EXPECT_TRUE(near(cw.startPoint(), c));
    EXPECT_TRUE(near(cw.endPoint(), a));
    EXPECT_TRUE(cw.isOn(below));
    EXPECT_FALSE(cw.isOn(b));
    // Three quarters clockwise.
    const ZkGeCircArc2d longWay(a, below, ZkGePoint2d(1, 4));
    EXPECT_DOUBLE_EQ(longWay.endAng() - longWay.startAng(), 3 * M_PI / 2);
    EXPECT_TRUE(longWay.isOn(ZkGePoint2d(-2, 1)));
    EXPECT_FALSE(longWay.isOn(ZkGePoint2d(1 + 3 * std::sqrt(0.5), 1 + 3 * std::sqrt(0.5))));
}

TEST(ZkGeCircArc2d, CollinearPointsFail) {
    ZkGeCircArc2d arc;
    EXPECT_FALSE(arc.set(ZkGePoint2d(0, 0), ZkGePoint2d(1, 1), ZkGePoint2d(2, 2)));
    EXPECT_FALSE(arc.set(ZkGePoint2d(0, 0), ZkGePoint2d(1, 1), ZkGePoint2d(0, 0)));
    EXPECT_EQ(arc, ZkGeCircArc2d());
    EXPECT_EQ(ZkGeCircArc2d(ZkGePoint2d(5, 0), ZkGePoint2d(6, 0), ZkGePoint2d(7, 0)).radius(), 0);
}

TEST(ZkGeCircArc2d, ClosestPointsAndWrapAround) {
    const ZkGeCircArc2d across(ZkGePoint2d(), 1, -M_PI / 4, M_PI / 4);
    EXPECT_NEAR(across.paramOf(ZkGePoint2d(std::cos(-0.2), std::sin(-0.2))), -0.2, 1e-15);
    EXPECT_EQ(across.paramOf(ZkGePoint2d(-1, 0.01)), M_PI / 4);
    EXPECT_EQ(across.paramOf(ZkGePoint2d(-1, -0.01)), -M_PI / 4);
    EXPECT_TRUE(near(across.closestPointTo(ZkGePoint2d(5, 0)), ZkGePoint2d(1, 0)));
    EXPECT_DOUBLE_EQ(across.distanceTo(ZkGePoint2d(0.25, 0)), 0.75);
    // The centre is r from every point; the start is the answer.
    EXPECT_EQ(across.paramOf(ZkGePoint2d()), -M_PI / 4);
    EXPECT_DOUBLE_EQ(across.distanceTo(ZkGePoint2d()), 1);
}

TEST(ZkGeCircArc2d, BoxesAreTight) {
    const ZkGeCircArc2d quarter(ZkGePoint2d(1, 2), 2, M_PI / 2, M_PI);
    EXPECT_TRUE(near(quarter.boundBlock().minPoint(), ZkGePoint2d(-1, 2), 1e-15));
    EXPECT_TRUE(near(quarter.boundBlock().maxPoint(), ZkGePoint2d(1, 4), 1e-15));
    for (const double start : {0.0, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0}) {
        const ZkGeCircArc2d arc(ZkGePoint2d(1, -1), 3, start, start + 2, ZkGeVector2d(1, 2));
        EXPECT_TRUE(boxIsTight(arc, arc.boundBlock())) << start;
    }
}

TEST(ZkGeCircArc2d, ClosedAndEqual) {
    const ZkGeCircArc2d circle(ZkGePoint2d(1, 1), 2);
    EXPECT_TRUE(circle.isClosed());
    EXPECT_FALSE(ZkGeCircArc2d(ZkGePoint2d(1, 1), 2, 0, 6).isClosed());
    ZkGeCircArc2d close = circle;
    close.setRadius(2 + 0.5e-10);
    EXPECT_TRUE(close.isEqualTo(circle));
    EXPECT_NE(close, circle);
    EXPECT_FALSE(circle.isEqualTo(ZkGeEllipArc2d(ZkGePoint2d(1, 1), ZkGeVector2d(1, 0), 2, 2)));
}
