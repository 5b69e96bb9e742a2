#include "ZkGeCurveTestSupport.h"

#include <cmath>

namespace {

ZkGeEllipArc2d turnedEllipse(double startAng, double endAng) {
    return ZkGeEllipArc2d(ZkGePoint2d(1, -1), ZkGeVector2d(3, 1), 4, 1.5, startAng, endAng);
}

} // namespace

TEST(ZkGeEllipArc2d, PointsAndDerivatives) {
    const ZkGeEllipArc2d arc(ZkGePoint2d(1, 1), ZkGeVector2d(0, 2), 3, 1, 0, M_PI);
    EXPECT_EQ(arc.majorAxis(), ZkGeVector2d(0, 1));
    EXPECT_EQ(arc.minorAxis(), ZkGeVector2d(-1, 0));
    EXPECT_TRUE(near(arc.startPoint(), ZkGePoint2d(1, 4)));
    EXPECT_TRUE(near(arc.evalPoint(M_PI / 2), ZkGePoint2d(0, 1)));
    const ZkGeEllipArc2d turned = turnedEllipse(0, 2 * M_PI);
    for (const double t : {0.0, 1.0, 3.0, 5.5})
        EXPECT_TRUE((derivativesMatchDifferences<ZkGeEllipArc2d, ZkGeVector2d>(turned, t)));
}

TEST(ZkGeEllipArc2d, LargerMinorRadiusSwapsTheAxes) {
    const ZkGeEllipArc2d arc(ZkGePoint2d(), ZkGeVector2d(1, 0), 1, 2, 0, 1);
    EXPECT_EQ(arc.majorRadius(), 2);
    EXPECT_EQ(arc.majorAxis(), ZkGeVector2d(0, 1));
    for (const double t : {0.0, 0.5, 1.0})
        EXPECT_TRUE(near(arc.evalPoint(t - M_PI / 2), ZkGePoint2d(std::cos(t), 2 * std::sin(t))));
}

TEST(ZkGeEllipArc2d, OnAndNearest) {
    const ZkGeEllipArc2d arc = turnedEllipse(-1, 1.5);
    for (const double t : {-1.0, -1e-9, 0.7, 1.5}) {
        EXPECT_TRUE(arc.isOn(arc.evalPoint(t)));
        EXPECT_NEAR(arc.paramOf(arc.evalPoint(t)), t, 1e-12) << t;
    }
    EXPECT_FALSE(arc.isOn(arc.evalPoint(3)));
    EXPECT_FALSE(arc.isOn(arc.evalPoint(0.5) + ZkGeVector2d(1e-9, 0)));
    // From the centre of the full ellipse: the ends of the minor axis.
    EXPECT_NEAR(turnedEllipse(0, 0).distanceTo(ZkGePoint2d(1, -1)), 1.5, 1e-12);
}

TEST(ZkGeEllipArc2d, LengthMatchesTheSpaceVersion) {
    const ZkGeEllipArc2d flat = turnedEllipse(0.3, 4);
    const ZkGeEllipArc3d space(ZkGePoint3d(), ZkGeVector3d::kXAxis, ZkGeVector3d::kYAxis, 4, 1.5,
                               0.3, 4);
    EXPECT_NEAR(flat.length(), space.length(), 1e-12);
    EXPECT_NEAR(flat.ZkGeCurve2d::length(0.3, 4, 1e-13), flat.length(), 1e-11);
}

TEST(ZkGeEllipArc2d, BoxesAreTight) {
    for (const double start : {0.0, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0}) {
        const ZkGeEllipArc2d arc = turnedEllipse(start, start + M_PI / 2);
        EXPECT_TRUE(boxIsTight(arc, arc.boundBlock())) << start;
    }
    EXPECT_TRUE(boxIsTight(turnedEllipse(0, 0), turnedEllipse(0, 0).boundBlock()));
}

TEST(ZkGeEllipArc2d, ClosedAndEqual) {
    EXPECT_TRUE(turnedEllipse(1, 1).isClosed());
    EXPECT_FALSE(turnedEllipse(1, 2).isClosed());
    const ZkGeEllipArc2d arc = turnedEllipse(1, 2);
    EXPECT_TRUE(arc.isEqualTo(
        ZkGeEllipArc2d(ZkGePoint2d(1, -1 + 0.5e-10), ZkGeVector2d(3, 1), 4, 1.5, 1, 2)));
    EXPECT_FALSE(arc.isEqualTo(turnedEllipse(1, 2.1)));
}
