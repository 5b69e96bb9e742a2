#include "ZkGeTestSupport.h"

#include <cmath>
#include <initializer_list>
#include <memory>
#include <vector>

TEST(ZkGeLine3d, ParameterIsDistanceAlongTheNormalisedDirection) {
    const ZkGeLine3d line(ZkGePoint3d(1, 1, 0), ZkGeVector3d(0, 4, 0));
    EXPECT_EQ(line.direction(), ZkGeVector3d(0, 1, 0));
    EXPECT_EQ(line.paramOf(ZkGePoint3d(7, -2, 3)), -3.0);
    EXPECT_EQ(line.evalPoint(-3), ZkGePoint3d(1, -2, 0));
    EXPECT_TRUE(near(line.closestPointTo(ZkGePoint3d(7, -2, 3)), ZkGePoint3d(1, -2, 0)));
    EXPECT_DOUBLE_EQ(line.distanceTo(ZkGePoint3d(4, 100, 4)), 5.0);
    EXPECT_FALSE(line.interval().isBoundedBelow());
}

TEST(ZkGeLine3d, TransformKeepsDirectionUnitUnderScaling) {
    ZkGeLine3d line(ZkGePoint3d(1, 0, 0), ZkGeVector3d(1, 1, 0));
    line.transformBy(ZkGeMatrix3d().setToScaling(3));
    EXPECT_EQ(line.pointOnLine(), ZkGePoint3d(3, 0, 0));
    EXPECT_TRUE(line.direction().isUnitLength());
    EXPECT_TRUE(line.direction().isParallelTo(ZkGeVector3d(1, 1, 0)));
}

TEST(ZkGeRay3d, NothingBehindTheStart) {
    const ZkGeRay3d ray(ZkGePoint3d(1, 0, 0), ZkGeVector3d(2, 0, 0));
    EXPECT_EQ(ray.closestPointTo(ZkGePoint3d(-2, 4, 0)), ZkGePoint3d(1, 0, 0));
    EXPECT_DOUBLE_EQ(ray.distanceTo(ZkGePoint3d(-2, 4, 0)), 5.0);
    EXPECT_EQ(ray.closestPointTo(ZkGePoint3d(5, 4, 0)), ZkGePoint3d(5, 0, 0));
    EXPECT_TRUE(ray.isOn(ZkGePoint3d(1 - 0.5e-10, 0, 0)));
    EXPECT_FALSE(ray.isOn(ZkGePoint3d(1 - 2e-10, 0, 0)));
}

TEST(ZkGeLineSeg3d, ClosestPointClampsToTheEnds) {
    const ZkGeLineSeg3d seg(ZkGePoint3d(0, 0, 0), ZkGePoint3d(4, 0, 0));
    EXPECT_EQ(seg.paramOf(ZkGePoint3d(1, 9, 9)), 0.25);
    EXPECT_EQ(seg.closestPointTo(ZkGePoint3d(-3, 4, 0)), seg.startPoint());
    EXPECT_EQ(seg.closestPointTo(ZkGePoint3d(7, 0, 4)), seg.endPoint());
    EXPECT_DOUBLE_EQ(seg.distanceTo(ZkGePoint3d(7, 0, 4)), 5.0);
    EXPECT_EQ(seg.closestPointTo(ZkGePoint3d(3, 2, 0)), ZkGePoint3d(3, 0, 0));
    EXPECT_FALSE(seg.isOn(ZkGePoint3d(4.001, 0, 0)));
}

TEST(ZkGeLineSeg3d, TransformMovesBothEnds) {
    ZkGeLineSeg3d seg(ZkGePoint3d(1, 0, 0), ZkGePoint3d(2, 0, 0));
    seg.transformBy(ZkGeMatrix3d::rotation(M_PI / 2, ZkGeVector3d::kZAxis));
    EXPECT_TRUE(near(seg.startPoint(), ZkGePoint3d(0, 1, 0)));
    EXPECT_TRUE(near(seg.endPoint(), ZkGePoint3d(0, 2, 0)));
}

TEST(ZkGeLinearEnt3d, ColinearMeansTheSameCarryingLine) {
    const ZkGeLineSeg3d a(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 1, 1));
    const ZkGeLineSeg3d farAlong(ZkGePoint3d(5, 5, 5), ZkGePoint3d(4, 4, 4));
    const ZkGeLineSeg3d offset(ZkGePoint3d(0, 0, 1e-6), ZkGePoint3d(1, 1, 1 + 1e-6));
    EXPECT_TRUE(a.isColinearTo(farAlong));
    EXPECT_TRUE(a.isColinearTo(ZkGeRay3d(ZkGePoint3d(-2, -2, -2), ZkGeVector3d(-1, -1, -1))));
    EXPECT_TRUE(a.isParallelTo(offset));
    EXPECT_FALSE(a.isColinearTo(offset));
}

TEST(ZkGeLinearEnt3d, IsACurve) {
    const ZkGeLineSeg3d seg(ZkGePoint3d(1, 0, 0), ZkGePoint3d(1, 4, 0));
    const ZkGeCurve3d& curve = seg;
    EXPECT_EQ(curve.getInterval(), ZkGeInterval(0, 1));
    EXPECT_EQ(curve.length(), 4);
    EXPECT_EQ(ZkGeRay3d().length(3, -1), 4);
    EXPECT_TRUE(std::isinf(ZkGeLine3d::kXAxis.length()));
    std::vector<ZkGeVector3d> d;
    EXPECT_EQ(curve.evalPoint(0.5, 2, d), ZkGePoint3d(1, 2, 0));
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0], ZkGeVector3d(0, 4, 0));
    EXPECT_EQ(d[1], ZkGeVector3d());
    EXPECT_FALSE(ZkGeLineSeg3d(seg.startPoint(), seg.startPoint()).isClosed());
}

TEST(ZkGeLinearEnt3d, ParamOfStaysOnTheEntity) {
    const ZkGeLineSeg3d seg(ZkGePoint3d(0, 0, 0), ZkGePoint3d(4, 0, 0));
    EXPECT_EQ(seg.lineParamOf(ZkGePoint3d(-3, 4, 0)), -0.75);
    EXPECT_EQ(seg.paramOf(ZkGePoint3d(-3, 4, 0)), 0);
    EXPECT_EQ(ZkGeRay3d().paramOf(ZkGePoint3d(-2, 1, 0)), 0);
    EXPECT_EQ(ZkGeLine3d::kXAxis.paramOf(ZkGePoint3d(-2, 1, 0)), -2);
}

TEST(ZkGeLinearEnt3d, DistancesBetweenSegments) {
    const ZkGeLineSeg3d base(ZkGePoint3d(0, 0, 0), ZkGePoint3d(2, 0, 0));
    // Skew, nearest between interiors.
    EXPECT_DOUBLE_EQ(base.distanceTo(ZkGeLineSeg3d(ZkGePoint3d(1, -1, 3), ZkGePoint3d(1, 1, 3))),
                     3);
    // Skew, but the carrying lines' nearest points lie beyond an end.
    EXPECT_DOUBLE_EQ(base.distanceTo(ZkGeLineSeg3d(ZkGePoint3d(5, 1, 4), ZkGePoint3d(5, 3, 4))),
                     std::sqrt(9.0 + 1 + 16));
    // Parallel, overlapping and end to end.
    EXPECT_DOUBLE_EQ(base.distanceTo(ZkGeLineSeg3d(ZkGePoint3d(1, 2, 0), ZkGePoint3d(6, 2, 0))), 2);
    EXPECT_DOUBLE_EQ(base.distanceTo(ZkGeLineSeg3d(ZkGePoint3d(4, 0, 0), ZkGePoint3d(7, 0, 0))), 2);
    EXPECT_DOUBLE_EQ(base.distanceTo(ZkGeLineSeg3d(ZkGePoint3d(7, 0, 0), ZkGePoint3d(4, 0, 0))), 2);
    // An end against an interior, and crossing.
    EXPECT_DOUBLE_EQ(base.distanceTo(ZkGeLineSeg3d(ZkGePoint3d(4, -1, 0), ZkGePoint3d(4, 1, 0))),
                     2);
    EXPECT_EQ(base.distanceTo(ZkGeLineSeg3d(ZkGePoint3d(1, -1, 0), ZkGePoint3d(1, 1, 0))), 0);
    // A segment shrunk to a point.
    const ZkGeLineSeg3d dot(ZkGePoint3d(1, 3, 4), ZkGePoint3d(1, 3, 4));
    EXPECT_DOUBLE_EQ(base.distanceTo(dot), 5);
    EXPECT_DOUBLE_EQ(dot.distanceTo(base), 5);
    EXPECT_EQ(dot.distanceTo(dot), 0);
}

TEST(ZkGeLinearEnt3d, DistancesBetweenLinesAndRays) {
    const ZkGeVector3d u(1, 2, -1), v(-2, 0.5, 3);
    const ZkGeLine3d a(ZkGePoint3d(1, 1, 1), u);
    const ZkGeLine3d b(ZkGePoint3d(-3, 2, 5), v);
    const ZkGeVector3d n = u.crossProduct(v).normal();
    EXPECT_NEAR(a.distanceTo(b),
                std::abs((ZkGePoint3d(-3, 2, 5) - ZkGePoint3d(1, 1, 1)).dotProduct(n)), 1e-14);
    // Parallel lines: the gap between them.
    EXPECT_DOUBLE_EQ(
        ZkGeLine3d::kXAxis.distanceTo(ZkGeLine3d(ZkGePoint3d(7, 3, 4), ZkGeVector3d(-1, 0, 0))), 5);
    // Rays facing away from each other meet only at their starts.
    const ZkGeRay3d left(ZkGePoint3d(0, 0, 0), ZkGeVector3d(-1, 0, 0));
    const ZkGeRay3d right(ZkGePoint3d(2, 1, 0), ZkGeVector3d(1, 0, 0));
    EXPECT_DOUBLE_EQ(left.distanceTo(right), std::sqrt(5.0));
    EXPECT_DOUBLE_EQ(right.distanceTo(left), std::sqrt(5.0));
    // A ray pointing past a line's nearest approach.
    EXPECT_DOUBLE_EQ(right.distanceTo(ZkGeLine3d(ZkGePoint3d(0, 0, 3), ZkGeVector3d::kYAxis)),
                     std::sqrt(4.0 + 9));
    EXPECT_DOUBLE_EQ(right.distanceTo(ZkGeLine3d(ZkGePoint3d(5, 0, 3), ZkGeVector3d::kYAxis)), 3);
}

TEST(ZkGeLinearEnt3d, ProjectedClosestPoint) {
    const ZkGeLineSeg3d seg(ZkGePoint3d(0, 0, 0), ZkGePoint3d(4, 0, 0));
    // Along (0, 1, 1) the point (1, 5, 3) lands over x = 1.
    EXPECT_TRUE(near(seg.projClosestPointTo(ZkGePoint3d(1, 5, 3), ZkGeVector3d(0, 1, 1)),
                     ZkGePoint3d(1, 0, 0)));
    // A tilted view shifts the answer: along (1, 0, 1) the point (3, 0, 2)
    // sits over (1, 0, 0).
    EXPECT_TRUE(near(seg.projClosestPointTo(ZkGePoint3d(3, 0, 2), ZkGeVector3d(1, 0, 1)),
                     ZkGePoint3d(1, 0, 0)));
    EXPECT_EQ(seg.projClosestPointTo(ZkGePoint3d(-3, 0, 2), ZkGeVector3d(1, 0, 1)),
              seg.startPoint());
    // Viewed end-on the segment is one point: the ordinary closest point.
    EXPECT_TRUE(near(seg.projClosestPointTo(ZkGePoint3d(3, 7, 0), ZkGeVector3d(-1, 0, 0)),
                     ZkGePoint3d(3, 0, 0)));
}

TEST(ZkGeLinearEnt3d, BoxesOfUnboundedEntitiesAreInfiniteOnlyAlongTheirRun) {
    const double inf = INFINITY;
    const ZkGeBoundBlock3d axis =
        ZkGeLine3d(ZkGePoint3d(1, 2, 3), ZkGeVector3d::kXAxis).boundBlock();
    EXPECT_EQ(axis.minPoint(), ZkGePoint3d(-inf, 2, 3));
    EXPECT_EQ(axis.maxPoint(), ZkGePoint3d(inf, 2, 3));
    const ZkGeBoundBlock3d ray =
        ZkGeRay3d(ZkGePoint3d(1, 2, 3), ZkGeVector3d(1, -1, 0)).boundBlock();
    EXPECT_EQ(ray.minPoint(), ZkGePoint3d(1, -inf, 3));
    EXPECT_EQ(ray.maxPoint(), ZkGePoint3d(inf, 2, 3));
    EXPECT_TRUE(ray.contains(ZkGePoint3d(1e300, -1e300, 3)));
    const ZkGeLineSeg3d seg(ZkGePoint3d(0.1, 5, 3), ZkGePoint3d(0.7, -2, 3));
    EXPECT_EQ(seg.boundBlock(), ZkGeBoundBlock3d(ZkGePoint3d(0.1, -2, 3), ZkGePoint3d(0.7, 5, 3)));
}

TEST(ZkGeLinearEnt3d, SplitPieces) {
    std::unique_ptr<ZkGeCurve3d> before, after;
    const ZkGeLine3d line(ZkGePoint3d(1, 0, 0), ZkGeVector3d(0, 1, 0));
    line.getSplitCurves(2, before, after);
    ASSERT_TRUE(before && after);
    EXPECT_EQ(before->type(), ZkGe::kRay3d);
    EXPECT_TRUE(before->isEqualTo(ZkGeRay3d(ZkGePoint3d(1, 2, 0), ZkGeVector3d(0, -1, 0))));
    EXPECT_TRUE(after->isEqualTo(ZkGeRay3d(ZkGePoint3d(1, 2, 0), ZkGeVector3d(0, 1, 0))));

    const ZkGeRay3d ray(ZkGePoint3d(1, 0, 0), ZkGeVector3d(0, 1, 0));
    ray.getSplitCurves(3, before, after);
    ASSERT_TRUE(before && after);
    EXPECT_TRUE(before->isEqualTo(ZkGeLineSeg3d(ZkGePoint3d(1, 0, 0), ZkGePoint3d(1, 3, 0))));
    EXPECT_TRUE(after->isEqualTo(ZkGeRay3d(ZkGePoint3d(1, 3, 0), ZkGeVector3d(0, 1, 0))));
    ray.getSplitCurves(0, before, after);
    EXPECT_FALSE(before);
    EXPECT_TRUE(after && after->isEqualTo(ray));

    const ZkGeLineSeg3d seg(ZkGePoint3d(0, 0, 0), ZkGePoint3d(4, 0, 0));
    seg.getSplitCurves(0.25, before, after);
    ASSERT_TRUE(before && after);
    EXPECT_TRUE(before->isEqualTo(ZkGeLineSeg3d(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0))));
    EXPECT_TRUE(after->isEqualTo(ZkGeLineSeg3d(ZkGePoint3d(1, 0, 0), ZkGePoint3d(4, 0, 0))));
    seg.getSplitCurves(1, before, after);
    EXPECT_TRUE(before && before->isEqualTo(seg));
    EXPECT_FALSE(after);
}

TEST(ZkGeLinearEnt3d, NeverPeriodicAndDegenerateOnlyWhenShrunk) {
    const ZkGeLine3d line(ZkGePoint3d(1, 2, 3), ZkGeVector3d(0, 1, 1));
    const ZkGeRay3d ray(ZkGePoint3d(1, 2, 3), ZkGeVector3d(0, 1, 1));
    const ZkGeLineSeg3d seg(ZkGePoint3d(1, 2, 3), ZkGePoint3d(1, 3, 4));
    for (const ZkGeCurve3d* curve : std::initializer_list<const ZkGeCurve3d*>{&line, &ray, &seg}) {
        double period = 5;
        EXPECT_FALSE(curve->isPeriodic(period));
        EXPECT_EQ(period, 0);
        EXPECT_FALSE(curve->isDegenerate());
        EXPECT_FALSE(curve->isClosed());
    }
    // A segment shrunk to a point acts as one.
    EXPECT_TRUE(ZkGeLineSeg3d(seg.startPoint(), seg.startPoint() + ZkGeVector3d(0, 0, 1e-11))
                    .isDegenerate());
    EXPECT_FALSE(ZkGeLineSeg3d().isDegenerate());
    const ZkGeLineSeg3d dot(ZkGePoint3d(1, 2, 3), ZkGePoint3d(1, 2, 3));
    EXPECT_EQ(dot.closestPointTo(ZkGePoint3d(5, 5, 5)), dot.startPoint());
    EXPECT_FALSE(dot.isParallelTo(ZkGeLine3d::kXAxis));
    EXPECT_FALSE(dot.isColinearTo(dot));
}
