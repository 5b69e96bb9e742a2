#include "ZkGeCurveTestSupport.h"

#include <cmath>

namespace {

// An arc off the origin in a tilted plane, so that no coordinate is trivial.
ZkGeCircArc3d tiltedArc(double startAng, double endAng) {
    return ZkGeCircArc3d(ZkGePoint3d(1, -2, 3), ZkGeVector3d(1, 2, 2), ZkGeVector3d(2, -1, 0), 2.5,
                         startAng, endAng);
}

} // namespace

TEST(ZkGeCircArc3d, AxesAreStoredOrthonormal) {
    const ZkGeCircArc3d arc(ZkGePoint3d(), ZkGeVector3d(0, 0, 3), ZkGeVector3d(1, 0, 1), -2, 0, 1);
    EXPECT_EQ(arc.normal(), ZkGeVector3d(0, 0, 1));
    EXPECT_EQ(arc.refVec(), ZkGeVector3d(1, 0, 0));
    EXPECT_EQ(arc.radius(), 2);
    // A full circle takes its reference vector by the planes' rule.
    const ZkGeCircArc3d circle(ZkGePoint3d(), ZkGeVector3d(1, 1, 1), 1);
    EXPECT_TRUE(near(circle.refVec(), ZkGeVector3d(1, 1, 1).perpVector()));
    // A reference vector along the normal cannot give a direction in the plane.
    const ZkGeCircArc3d fallback(ZkGePoint3d(), ZkGeVector3d(0, 1, 0), ZkGeVector3d(0, -2, 0), 1, 0,
                                 1);
    EXPECT_TRUE(fallback.refVec().isPerpendicularTo(fallback.normal()));
}

TEST(ZkGeCircArc3d, AnglesAreCounterClockwiseAboutTheNormal) {
    // In a tilted plane the angle of a direction is its turn from the
    // reference vector about the normal; about the opposite normal the same
    // direction is the rest of the turn away.
    const ZkGeVector3d n = ZkGeVector3d(1, 2, 2).normal();
    const ZkGeVector3d u = n.perpVector();
    const ZkGeVector3d v = n.crossProduct(u);
    const ZkGeCircArc3d up(ZkGePoint3d(1, 1, 1), n, u, 2, 0, 1);
    const ZkGeCircArc3d down(ZkGePoint3d(1, 1, 1), -n, u, 2, 0, 1);
    for (const double angle : {0.0, 0.3, 2.5, 4.0}) {
        const ZkGeVector3d dir = u * std::cos(angle) + v * std::sin(angle);
        EXPECT_NEAR(up.angleOf(dir), angle, 1e-14);
        EXPECT_NEAR(up.angleOf(dir + n * 5), angle, 1e-14)
            << "the part along the normal counts not";
        EXPECT_NEAR(down.angleOf(dir), angle == 0 ? 0 : 2 * M_PI - angle, 1e-14);
        EXPECT_TRUE(near(up.evalPoint(angle), ZkGePoint3d(1, 1, 1) + dir * 2, 1e-14));
        EXPECT_TRUE(near(down.evalPoint(2 * M_PI - angle), ZkGePoint3d(1, 1, 1) + dir * 2, 1e-14));
    }
}

TEST(ZkGeCircArc3d, EndAngleIsBroughtWithinATurnOfTheStart) {
    ZkGeCircArc3d arc;
    arc.setAngles(M_PI, 0);
    EXPECT_EQ(arc.startAng(), M_PI);
    EXPECT_DOUBLE_EQ(arc.endAng(), 2 * M_PI);
    arc.setAngles(0, 3 * M_PI);
    EXPECT_DOUBLE_EQ(arc.endAng(), M_PI);
    arc.setAngles(1, 1);
    EXPECT_TRUE(arc.isFullCircle());
    EXPECT_DOUBLE_EQ(arc.endAng(), 1 + 2 * M_PI);
    // Rounding just past a whole turn must not leave a sliver.
    arc.setAngles(0.1, 0.1 + 2 * M_PI + 1e-15);
    EXPECT_TRUE(arc.isFullCircle());
    arc.setAngles(-M_PI / 4, M_PI / 4);
    EXPECT_EQ(arc.startAng(), -M_PI / 4);
    EXPECT_EQ(arc.endAng(), M_PI / 4);
    EXPECT_FALSE(arc.isFullCircle());
}

TEST(ZkGeCircArc3d, LengthIsRadiusTimesAngle) {
    const ZkGeCircArc3d arc = tiltedArc(0.3, 1.9);
    EXPECT_DOUBLE_EQ(arc.length(), 2.5 * 1.6);
    EXPECT_DOUBLE_EQ(arc.length(1.0, 0.5), 2.5 * 0.5);
    EXPECT_DOUBLE_EQ(tiltedArc(0, 0).length(), 2 * M_PI * 2.5);
    // The generic integral must agree with the closed form.
    EXPECT_NEAR(arc.ZkGeCurve3d::length(0.3, 1.9, 1e-12), 4.0, 4e-12);
}

TEST(ZkGeCircArc3d, ClosestPointInsideOutsideAndAbove) {
    const ZkGeCircArc3d circle(ZkGePoint3d(1, 1, 1), ZkGeVector3d::kZAxis, 2);
    EXPECT_TRUE(near(circle.closestPointTo(ZkGePoint3d(6, 1, 1)), ZkGePoint3d(3, 1, 1)));
    EXPECT_TRUE(near(circle.closestPointTo(ZkGePoint3d(1, 0.5, 1)), ZkGePoint3d(1, -1, 1)));
    // Above the plane: sqrt(height^2 + (in-plane distance - r)^2).
    EXPECT_DOUBLE_EQ(circle.distanceTo(ZkGePoint3d(1, 6, 5)), 5.0);
    // Every point of the circle is r from the centre, and from the axis.
    for (const ZkGePoint3d& onAxis : {ZkGePoint3d(1, 1, 1), ZkGePoint3d(1, 1, -3)}) {
        const ZkGePoint3d foot = circle.closestPointTo(onAxis);
        EXPECT_TRUE(circle.isOn(foot));
        EXPECT_DOUBLE_EQ(foot.distanceTo(ZkGePoint3d(1, 1, 1)), 2);
    }
}

TEST(ZkGeCircArc3d, PointsFacingTheGapGoToTheNearerEnd) {
    // The upper half: the gap is the lower half.
    const ZkGeCircArc3d arc(ZkGePoint3d(), ZkGeVector3d::kZAxis, ZkGeVector3d::kXAxis, 1, 0, M_PI);
    EXPECT_EQ(arc.paramOf(ZkGePoint3d(1, -0.1, 0)), 0);
    EXPECT_EQ(arc.paramOf(ZkGePoint3d(-1, -0.1, 0)), M_PI);
    EXPECT_TRUE(near(arc.closestPointTo(ZkGePoint3d(0.2, -3, 0)), ZkGePoint3d(1, 0, 0)));
    EXPECT_TRUE(near(arc.closestPointTo(ZkGePoint3d(-0.2, -3, 0)), ZkGePoint3d(-1, 0, 0)));
    EXPECT_FALSE(arc.isOn(ZkGePoint3d(0, -1, 0)));
    EXPECT_TRUE(arc.isOn(ZkGePoint3d(0, 1, 0)));
}

TEST(ZkGeCircArc3d, ParamOfAcrossAngleZero) {
    const ZkGeCircArc3d across(ZkGePoint3d(), ZkGeVector3d::kZAxis, ZkGeVector3d::kXAxis, 1,
                               -M_PI / 4, M_PI / 4);
    EXPECT_NEAR(across.paramOf(ZkGePoint3d(std::cos(-0.1), std::sin(-0.1), 0)), -0.1, 1e-15);
    EXPECT_NEAR(across.paramOf(ZkGePoint3d(std::cos(0.1), std::sin(0.1), 0)), 0.1, 1e-15);
    // The same arc described from 7 pi / 4.
    const ZkGeCircArc3d late(ZkGePoint3d(), ZkGeVector3d::kZAxis, ZkGeVector3d::kXAxis, 1,
                             7 * M_PI / 4, 9 * M_PI / 4);
    EXPECT_NEAR(late.paramOf(ZkGePoint3d(std::cos(0.1), std::sin(0.1), 0)), 2 * M_PI + 0.1, 1e-14);
    // Round trips on a tilted arc crossing its reference direction.
    const ZkGeCircArc3d arc = tiltedArc(-2, 1);
    for (const double t : {-2.0, -1.0, -1e-9, 0.0, 0.5, 1.0}) {
        EXPECT_NEAR(arc.paramOf(arc.evalPoint(t)), t, 1e-14) << t;
        EXPECT_TRUE(arc.isOn(arc.evalPoint(t)));
    }
    // A full circle reports its start for the start point, not the end.
    const ZkGeCircArc3d circle = tiltedArc(1, 1);
    EXPECT_NEAR(circle.paramOf(circle.startPoint()), 1, 1e-14);
}

// An arc through three points starts at the first, passes the second and
// ends at the third, turning counter-clockwise about its normal.
TEST(ZkGeCircArc3d, ThreePointArcsRunFromTheFirstThroughTheSecondToTheThird) {
    const ZkGeVector3d n = ZkGeVector3d(1, 2, 2).normal();
    const ZkGeVector3d u = n.perpVector();
    const auto at = [&](double angle) {
        return ZkGePoint3d(1, 1, 1) + u * (2 * std::cos(angle)) +
               n.crossProduct(u) * (2 * std::sin(angle));
    };
    const struct {
        const char* what;
        ZkGePoint3d start, mid, end;
        ZkGeVector3d normal; // zero: not checked
        double sweep;        // zero: not checked
        ZkGePoint3d off;     // a point of the circle not on the arc
    } cases[] = {
        {"half turn", {3, 0, 0}, {0, 3, 0}, {-3, 0, 0}, {0, 0, 1}, M_PI, {0, -3, 0}},
        // Start to end the long way round, through a point below: seen from
        // +z that runs clockwise, so the normal must point down.
        {"clockwise",
         {3, 0, 0},
         {0, -3, 0},
         {0, 3, 0},
         {0, 0, -1},
         3 * M_PI / 2,
         ZkGePoint3d(3 / std::sqrt(2.0), 3 / std::sqrt(2.0), 0)},
        {"in space", {1, 2, 3}, {4, -1, 2}, {0, 0, 7}, {}, 0, {}},
        // Counter-clockwise about n from 0.2 through 2.5 to 5, and back.
        {"tilted", at(0.2), at(2.5), at(5.0), n, 4.8, at(5.6)},
        {"tilted back", at(5.0), at(2.5), at(0.2), -n, 4.8, at(5.6)},
    };
    for (const auto& [what, start, mid, end, normal, sweep, off] : cases) {
        SCOPED_TRACE(what);
        ZkGeCircArc3d arc;
        ASSERT_TRUE(arc.set(start, mid, end));
        EXPECT_FALSE(arc.isDegenerate());
        // The centre lies in the points' plane, as far from each of them.
        EXPECT_NEAR((start - arc.center()).dotProduct(arc.normal()), 0, 1e-12);
        for (const ZkGePoint3d& p : {start, mid, end})
            EXPECT_NEAR(arc.center().distanceTo(p), arc.radius(), 1e-12);
        EXPECT_TRUE(near(arc.startPoint(), start, 1e-14));
        EXPECT_TRUE(near(arc.endPoint(), end, 1e-14));
        EXPECT_TRUE(arc.isOn(mid));
        EXPECT_GT(arc.paramOf(mid), arc.startAng());
        EXPECT_LT(arc.paramOf(mid), arc.endAng());
        if (!normal.isZeroLength()) {
            EXPECT_TRUE(near(arc.normal(), normal, 1e-14));
            EXPECT_NEAR(arc.endAng() - arc.startAng(), sweep, 1e-14);
            EXPECT_FALSE(arc.isOn(off));
        }
    }
    // The constructor agrees with set.
    const ZkGeCircArc3d tilted(at(0.2), at(2.5), at(5.0));
    EXPECT_TRUE(near(tilted.center(), ZkGePoint3d(1, 1, 1), 1e-14));
    EXPECT_NEAR(tilted.paramOf(at(2.5)), 2.3, 1e-14);
}

TEST(ZkGeCircArc3d, OnlyPointsOffALineMakeAnArc) {
    ZkGeCircArc3d arc = tiltedArc(0, 1);
    const ZkGeCircArc3d before = arc;
    EXPECT_FALSE(arc.set(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 1, 1), ZkGePoint3d(3, 3, 3)));
    EXPECT_FALSE(arc.set(ZkGePoint3d(0, 0, 0), ZkGePoint3d(0, 0, 0), ZkGePoint3d(3, 3, 3)));
    EXPECT_FALSE(arc.set(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0), ZkGePoint3d(0, 0, 0)));
    // Within equalVector of a line: refused.
    EXPECT_FALSE(arc.set(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 1e-13, 0), ZkGePoint3d(2, 0, 0)));
    EXPECT_EQ(arc, before);
    const ZkGeCircArc3d failed(ZkGePoint3d(1, 0, 0), ZkGePoint3d(2, 0, 0), ZkGePoint3d(3, 0, 0));
    EXPECT_TRUE(failed.isDegenerate());
    EXPECT_EQ(failed.center(), ZkGePoint3d(1, 0, 0));
    // A sagitta of 1e-6 over a half chord of 1: r = (1 + s^2) / (2 s).
    ASSERT_TRUE(arc.set(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 1e-6, 0), ZkGePoint3d(2, 0, 0)));
    EXPECT_NEAR(arc.radius(), (1 + 1e-12) / 2e-6, 1e-3);
    EXPECT_TRUE(near(arc.normal(), ZkGeVector3d(0, 0, -1)));
}

TEST(ZkGeCircArc3d, BoxesAreTight) {
    // Across angle 0 the box must reach the +x extreme between the ends.
    const ZkGeCircArc3d across(ZkGePoint3d(), ZkGeVector3d::kZAxis, ZkGeVector3d::kXAxis, 1,
                               -M_PI / 4, M_PI / 4);
    EXPECT_DOUBLE_EQ(across.boundBlock().maxPoint().x, 1);
    EXPECT_DOUBLE_EQ(across.boundBlock().minPoint().x, std::sqrt(0.5));
    // Quarters from every start, so that each crosses a different set of
    // axis extremes, angle zero among them.
    for (const double start : {0.0, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0}) {
        const ZkGeCircArc3d arc = tiltedArc(start, start + M_PI / 2);
        EXPECT_TRUE(boxIsTight(arc, arc.boundBlock())) << start;
    }
    EXPECT_TRUE(boxIsTight(tiltedArc(0, 0), tiltedArc(0, 0).boundBlock()));
    EXPECT_TRUE(boxIsTight(tiltedArc(2, 6.2), tiltedArc(2, 6.2).boundBlock()));
}

TEST(ZkGeCircArc3d, SplitPiecesJoinBack) {
    const ZkGeCircArc3d arc = tiltedArc(-1, 2);
    std::unique_ptr<ZkGeCurve3d> before, after;
    arc.getSplitCurves(0.5, before, after);
    ASSERT_TRUE(before && after);
    EXPECT_EQ(before->getInterval(), ZkGeInterval(-1, 0.5));
    EXPECT_EQ(after->getInterval(), ZkGeInterval(0.5, 2));
    EXPECT_TRUE(near(before->evalPoint(0), arc.evalPoint(0)));
    EXPECT_TRUE(near(after->evalPoint(2), arc.endPoint()));

    arc.getSplitCurves(-1, before, after);
    EXPECT_FALSE(before);
    EXPECT_TRUE(after && after->isEqualTo(arc));
    arc.getSplitCurves(2.5, before, after);
    EXPECT_FALSE(after);
    EXPECT_TRUE(before && before->isEqualTo(arc));

    // A full circle split anywhere gives two arcs that are not closed.
    tiltedArc(0, 0).getSplitCurves(1, before, after);
    ASSERT_TRUE(before && after);
    EXPECT_FALSE(before->isClosed());
    EXPECT_NEAR(before->length() + after->length(), 2 * M_PI * 2.5, 1e-12);
}

TEST(ZkGeCircArc3d, ClosedPeriodicAndDegenerate) {
    double period = -1;
    EXPECT_TRUE(tiltedArc(0, 0).isClosed());
    EXPECT_TRUE(tiltedArc(0, 0).isPeriodic(period));
    EXPECT_DOUBLE_EQ(period, 2 * M_PI);
    EXPECT_FALSE(tiltedArc(0, 6).isClosed());
    EXPECT_FALSE(tiltedArc(0, 6).isPeriodic(period));
    EXPECT_EQ(period, 0);
    // A huge full circle stays closed although its end points round apart.
    EXPECT_TRUE(ZkGeCircArc3d(ZkGePoint3d(), ZkGeVector3d(1, 2, 3), 1e9).isClosed());
    EXPECT_TRUE(ZkGeCircArc3d(ZkGePoint3d(), ZkGeVector3d::kZAxis, 1e-11).isDegenerate());
    EXPECT_TRUE(tiltedArc(1, 1 + 1e-12).isDegenerate());
    EXPECT_FALSE(tiltedArc(1, 1 + 1e-6).isDegenerate());
}

TEST(ZkGeCircArc3d, RigidTransformsAndMirrorsKeepParameters) {
    const ZkGeCircArc3d arc = tiltedArc(0.5, 4);
    ZkGeMatrix3d rigid = ZkGeMatrix3d::rotation(0.8, ZkGeVector3d(1, -1, 3), ZkGePoint3d(2, 0, 1));
    rigid.preMultBy(ZkGeMatrix3d::translation(ZkGeVector3d(5, 6, 7)));
    ZkGeMatrix3d mirror;
    mirror.setCoordSystem(ZkGePoint3d(1, 0, 0), ZkGeVector3d(-1, 0, 0), ZkGeVector3d(0, 1, 0),
                          ZkGeVector3d(0, 0, 1));
    const ZkGeMatrix3d scaled = ZkGeMatrix3d().setToScaling(3, ZkGePoint3d(1, 1, 1)) * rigid;
    for (const ZkGeMatrix3d& m : {rigid, mirror, scaled}) {
        ZkGeCircArc3d moved = arc;
        moved.transformBy(m);
        EXPECT_EQ(moved.startAng(), arc.startAng());
        for (const double t : {0.5, 1.0, 2.5, 4.0})
            EXPECT_TRUE(near(moved.evalPoint(t), arc.evalPoint(t).transformBy(m), 1e-11)) << t;
    }
    ZkGeCircArc3d mirrored = arc;
    mirrored.transformBy(mirror);
    EXPECT_TRUE(near(mirrored.normal(), -arc.normal().transformBy(mirror), 1e-15));
    ZkGeCircArc3d big = arc;
    big.transformBy(scaled);
    EXPECT_DOUBLE_EQ(big.radius(), 7.5);
}

TEST(ZkGeCircArc3d, UnevenScalingKeepsCenterPlaneAndArea) {
    ZkGeCircArc3d circle(ZkGePoint3d(1, 0, 0), ZkGeVector3d::kZAxis, 2);
    ZkGeMatrix3d stretch;
    stretch.setCoordSystem(ZkGePoint3d(), ZkGeVector3d(4, 0, 0), ZkGeVector3d(0, 1, 0),
                           ZkGeVector3d(0, 0, 1));
    circle.transformBy(stretch);
    EXPECT_TRUE(near(circle.center(), ZkGePoint3d(4, 0, 0)));
    EXPECT_TRUE(near(circle.normal(), ZkGeVector3d(0, 0, 1)));
    EXPECT_DOUBLE_EQ(circle.radius(), 4); // sqrt(4 * 1) * 2
}

TEST(ZkGeCircArc3d, EqualityIsWithinTolerance) {
    const ZkGeCircArc3d arc = tiltedArc(0.5, 4);
    ZkGeCircArc3d close = arc;
    close.setRadius(2.5 + 0.5e-10);
    EXPECT_TRUE(arc.isEqualTo(close));
    EXPECT_FALSE(arc == close);
    close.setAngles(0.5, 4 + 1e-9);
    EXPECT_FALSE(arc.isEqualTo(close));
}

TEST(ZkGeCircArc3d, DistanceToOtherCurves) {
    const ZkGeCircArc3d unit(ZkGePoint3d(), ZkGeVector3d::kZAxis, 1);
    // A line asks the bounded circle.
    const ZkGeLine3d vertical(ZkGePoint3d(3, 0, 4), ZkGeVector3d::kZAxis);
    EXPECT_NEAR(vertical.distanceTo(unit), 2, 1e-12);
    // Every point of a ring through the centre of the other, upright, is 1
    // from that other ring; a larger upright ring runs through the first one.
    const ZkGeCircArc3d linked(ZkGePoint3d(1, 0, 0), ZkGeVector3d::kYAxis, 1);
    EXPECT_NEAR(unit.distanceTo(linked), 1, 1e-12);
    const ZkGeCircArc3d crossing(ZkGePoint3d(1, 0, 0), ZkGeVector3d::kYAxis, 2);
    EXPECT_NEAR(unit.distanceTo(crossing), 0, 1e-10);
    // A segment passing over the gap of a half circle sees only its ends.
    const ZkGeCircArc3d upper(ZkGePoint3d(), ZkGeVector3d::kZAxis, ZkGeVector3d::kXAxis, 1, 0,
                              M_PI);
    const ZkGeLineSeg3d below(ZkGePoint3d(-2, -1.5, 0), ZkGePoint3d(2, -1.5, 0));
    EXPECT_NEAR(upper.distanceTo(below), 1.5, 1e-12);
}

TEST(ZkGeCircArc3d, ProjectedClosestPointSeenEdgeOn) {
    // Seen edge-on along y, the circle is the segment x in [-2, 2]: a point
    // over x = 1.2 sees one of the two points with that x.
    const ZkGeCircArc3d circle(ZkGePoint3d(), ZkGeVector3d::kZAxis, 2);
    const ZkGePoint3d seen =
        circle.projClosestPointTo(ZkGePoint3d(1.2, -7, 0), ZkGeVector3d::kYAxis);
    EXPECT_TRUE(circle.isOn(seen, ZkGeTol(1e-9, 1e-9)));
    EXPECT_NEAR(seen.x, 1.2, 1e-9);
}

TEST(ZkGeCircArc3d, DerivativesAreTheTurnedRadius) {
    // Each derivative is the radius vector turned a further quarter about
    // the normal: d1 = n x (p - c), d2 = -(p - c), d3 = -d1.
    const ZkGeCircArc3d arc = tiltedArc(-1, 2);
    for (const double t : {-1.0, 0.0, 0.8, 2.0}) {
        std::vector<ZkGeVector3d> d;
        const ZkGePoint3d p = arc.evalPoint(t, 3, d);
        ASSERT_EQ(d.size(), 3u);
        EXPECT_TRUE(near(p, arc.evalPoint(t)));
        const ZkGeVector3d radial = p - arc.center();
        EXPECT_NEAR(radial.length(), 2.5, 1e-14);
        EXPECT_TRUE(near(d[0], arc.normal().crossProduct(radial), 1e-14)) << t;
        EXPECT_TRUE(near(d[1], -radial, 1e-14)) << t;
        EXPECT_TRUE(near(d[2], -d[0], 1e-14)) << t;
    }
    std::vector<ZkGeVector3d> none{ZkGeVector3d(1, 1, 1)};
    EXPECT_TRUE(near(arc.evalPoint(0.5, 0, none), arc.evalPoint(0.5)));
    EXPECT_TRUE(none.empty());
}

TEST(ZkGeCircArc3d, TranslateMovesOnlyTheCenter) {
    // Bit for bit: moving a sketch back and forth must not wear its arcs.
    const ZkGeCircArc3d arc = tiltedArc(0.5, 4);
    ZkGeCircArc3d moved = arc;
    ZkGeEntity3d& same = moved.translateBy(ZkGeVector3d(1, -2, 3));
    EXPECT_EQ(&same, &moved);
    EXPECT_TRUE(near(moved.center(), ZkGePoint3d(2, -4, 6)));
    EXPECT_EQ(moved.setCenter(arc.center()), arc);
}
