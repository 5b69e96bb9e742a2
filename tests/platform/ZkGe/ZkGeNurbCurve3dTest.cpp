#include "ZkGeNurbCurve3d.h"
#include "ZkGeCurveTestSupport.h"

#include <cmath>
#include <random>

namespace {

// A clamped cubic with uneven interior knots, one of them double.
ZkGeNurbCurve3d wavyCubic(const ZkArray<double>& weights = {}) {
    const ZkGeKnotVector knots{0, 0, 0, 0, 0.7, 1.5, 1.5, 2.2, 3, 3, 3, 3};
    const ZkArray<ZkGePoint3d> points{{0, 0, 0},  {1, 2, 0}, {2, -1, 1}, {3, 3, 2},
                                      {4, 0, -1}, {5, 1, 0}, {6, -2, 1}, {7, 0, 0}};
    return ZkGeNurbCurve3d(3, knots, points, weights);
}

// A closed cubic stored periodically: six control points, one period of knots.
ZkGeNurbCurve3d periodicCubic() {
    const ZkGeKnotVector knots{0, 1, 1.5, 3, 4, 4.2, 6};
    const ZkArray<ZkGePoint3d> points{{2, 0, 0},   {1, 2, 1},   {-1, 2, 0},
                                      {-2, 0, -1}, {-1, -2, 0}, {1, -2, 1}};
    return ZkGeNurbCurve3d(3, knots, points, {}, true);
}

ZkGeNurbCurve3d quarterCircle() {
    const ZkGeKnotVector knots{0, 0, 0, 1, 1, 1};
    const ZkArray<ZkGePoint3d> points{{1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    return ZkGeNurbCurve3d(2, knots, points, {1, std::sqrt(0.5), 1});
}

std::vector<double> params(const ZkGeCurve3d& curve, int count) {
    std::vector<ZkGePoint3d> points;
    std::vector<double> result;
    curve.getSamplePoints(count, points, &result);
    return result;
}

// Every derivative up to order 3 against differences, away from the knots,
// where higher derivatives jump.
void expectDerivativesMatchDifferences(const ZkGeNurbCurve3d& curve) {
    const ZkGeKnotVector& knots = curve.knots();
    for (const double t : params(curve, 41)) {
        bool nearKnot = false;
        for (int i = 0; i < knots.length(); ++i)
            nearKnot = nearKnot || std::abs(knots[i] - t) < 4e-5;
        if (nearKnot)
            continue;
        EXPECT_TRUE((derivativesMatchDifferences<ZkGeNurbCurve3d, ZkGeVector3d>(curve, t, 1e-5)))
            << "t=" << t;
    }
}

} // namespace

TEST(ZkGeNurbCurve3d, DefinitionDataRoundTrips) {
    const ZkGeNurbCurve3d curve = wavyCubic({1, 2, 1, 0.5, 1, 3, 1, 1});
    int degree = 0;
    bool rational = false;
    bool periodic = true;
    ZkGeKnotVector knots;
    ZkArray<ZkGePoint3d> points;
    ZkArray<double> weights;
    curve.getDefinitionData(degree, rational, periodic, knots, points, weights);
    EXPECT_EQ(degree, 3);
    EXPECT_TRUE(rational);
    EXPECT_FALSE(periodic);
    const ZkGeNurbCurve3d rebuilt(degree, knots, points, weights, periodic);
    EXPECT_EQ(rebuilt, curve);
    EXPECT_EQ(curve.getInterval(), ZkGeInterval(0, 3));
    EXPECT_EQ(curve.startPoint(), ZkGePoint3d(0, 0, 0));
    EXPECT_TRUE(near(curve.endPoint(), ZkGePoint3d(7, 0, 0)));
    EXPECT_FALSE(wavyCubic().isRational());
    EXPECT_EQ(wavyCubic().weightAt(2), 1.0);
}

TEST(ZkGeNurbCurve3d, InvalidDefinitionIsRefusedAndChangesNothing) {
    ZkGeNurbCurve3d curve = wavyCubic();
    const ZkGeNurbCurve3d before = curve;
    const ZkArray<ZkGePoint3d> four{{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}};
    const ZkGeKnotVector bezier{0, 0, 0, 0, 1, 1, 1, 1};
    EXPECT_FALSE(curve.setDefinitionData(3, ZkGeKnotVector{0, 0, 0, 1, 1, 1}, four));
    EXPECT_FALSE(curve.setDefinitionData(0, bezier, four));
    EXPECT_FALSE(curve.setDefinitionData(3, bezier, four, {1, 0, 1, 1}));
    EXPECT_FALSE(curve.setDefinitionData(3, bezier, four, {1, 1}));
    EXPECT_FALSE(curve.setDefinitionData(4, bezier, four));
    // Interior knot of multiplicity degree + 1 would tear the curve apart.
    EXPECT_FALSE(curve.setDefinitionData(1, ZkGeKnotVector{0, 0, 1, 1, 2, 2}, four));
    EXPECT_FALSE(curve.setDefinitionData(3, ZkGeKnotVector{0, 1, 2, 3}, four, {}, true));
    EXPECT_EQ(curve, before);
    EXPECT_TRUE(curve.setDefinitionData(3, bezier, four));
    EXPECT_TRUE(ZkGeNurbCurve3d(3, ZkGeKnotVector{0, 0, 0, 1, 1, 1}, four).isDegenerate());
}

TEST(ZkGeNurbCurve3d, RationalQuadraticQuarterCircleIsExact) {
    const ZkGeNurbCurve3d arc = quarterCircle();
    for (const double t : params(arc, 33))
        EXPECT_NEAR(arc.evalPoint(t).asVector().length(), 1.0, 1e-15) << t;
    EXPECT_TRUE(near(arc.evalPoint(0.5), ZkGePoint3d(std::sqrt(0.5), std::sqrt(0.5), 0)));
    EXPECT_NEAR(arc.length(), M_PI / 2, 1e-12);
    // The curve is a circle, so the derivative stays tangent.
    std::vector<ZkGeVector3d> d;
    const ZkGePoint3d p = arc.evalPoint(0.3, 1, d);
    EXPECT_NEAR(d[0].dotProduct(p.asVector()), 0.0, 1e-14);
}

TEST(ZkGeNurbCurve3d, DerivativesMatchFiniteDifferences) {
    expectDerivativesMatchDifferences(wavyCubic());
    expectDerivativesMatchDifferences(wavyCubic({1, 2, 1, 0.5, 1, 3, 1, 1}));
    expectDerivativesMatchDifferences(quarterCircle());
    expectDerivativesMatchDifferences(periodicCubic());

    // Beyond the degree a polynomial piece has nothing left; a rational one has.
    std::vector<ZkGeVector3d> d;
    wavyCubic().evalPoint(1.0, 5, d);
    ASSERT_EQ(d.size(), 5u);
    EXPECT_EQ(d[3], ZkGeVector3d());
    EXPECT_EQ(d[4], ZkGeVector3d());
    quarterCircle().evalPoint(0.4, 3, d);
    EXPECT_GT(d[2].length(), 0.1);
}

TEST(ZkGeNurbCurve3d, PeriodicCurveIsSmoothAcrossItsSeamAndWraps) {
    const ZkGeNurbCurve3d curve = periodicCubic();
    double period = 0;
    EXPECT_TRUE(curve.isPeriodic(period));
    EXPECT_EQ(period, 6.0);
    EXPECT_TRUE(curve.isClosed());
    EXPECT_EQ(curve.getInterval(), ZkGeInterval(0, 6));
    std::vector<ZkGeVector3d> atStart;
    std::vector<ZkGeVector3d> atEnd;
    // The end evaluates as the limit from below, so this compares the two
    // sides of the seam.
    const ZkGePoint3d start = curve.evalPoint(0, 2, atStart);
    const ZkGePoint3d end = curve.evalPoint(6, 2, atEnd);
    EXPECT_TRUE(near(start, end, 1e-14));
    EXPECT_TRUE(near(atStart[0], atEnd[0], 1e-13));
    EXPECT_TRUE(near(atStart[1], atEnd[1], 1e-12));
    EXPECT_TRUE(near(curve.evalPoint(1.25 + 12), curve.evalPoint(1.25), 1e-13));
    EXPECT_TRUE(near(curve.evalPoint(1.25 - 6), curve.evalPoint(1.25), 1e-13));
    EXPECT_FALSE(wavyCubic().isPeriodic(period));
    EXPECT_EQ(period, 0.0);
}

TEST(ZkGeNurbCurve3d, KnotInsertionKeepsTheCurve) {
    const ZkGeNurbCurve3d cases[] = {wavyCubic(), wavyCubic({1, 2, 1, 0.5, 1, 3, 1, 1}),
                                     periodicCubic(), quarterCircle()};
    for (const ZkGeNurbCurve3d& original : cases) {
        ZkGeNurbCurve3d curve = original;
        const ZkGeInterval range = curve.getInterval();
        const double a = range.lowerBound();
        const double len = range.length();
        // A new knot, the same knot again, and an existing knot.
        for (const double t : {a + 0.37 * len, a + 0.37 * len, a + 0.5 * len, a + 0.91 * len}) {
            const int count = curve.numControlPoints();
            ASSERT_TRUE(curve.insertKnot(t)) << t;
            EXPECT_EQ(curve.numControlPoints(), count + 1);
            EXPECT_EQ(curve.isPeriodic(), original.isPeriodic());
        }
        for (const double t : params(original, 57)) {
            EXPECT_TRUE(near(curve.evalPoint(t), original.evalPoint(t), 1e-12)) << t;
        }
        EXPECT_TRUE(curve.getInterval() == range);
    }
    ZkGeNurbCurve3d curve = wavyCubic();
    EXPECT_TRUE(curve.insertKnot(1.5));
    EXPECT_FALSE(curve.insertKnot(1.5)); // now of multiplicity 3
    EXPECT_FALSE(curve.insertKnot(-1));
    EXPECT_FALSE(curve.insertKnot(0)); // a clamped end is full already
}

TEST(ZkGeNurbCurve3d, SplitPiecesJoinBackIntoTheCurve) {
    const ZkGeNurbCurve3d cases[] = {wavyCubic({1, 2, 1, 0.5, 1, 3, 1, 1}), periodicCubic(),
                                     quarterCircle()};
    for (const ZkGeNurbCurve3d& curve : cases) {
        const ZkGeInterval range = curve.getInterval();
        for (const double f : {0.3, 0.5, 0.5001}) {
            const double at = range.lowerBound() + f * range.length();
            std::unique_ptr<ZkGeCurve3d> first;
            std::unique_ptr<ZkGeCurve3d> second;
            curve.getSplitCurves(at, first, second);
            ASSERT_TRUE(first && second);
            ASSERT_EQ(first->type(), ZkGe::kNurbCurve3d);
            const auto& a = static_cast<const ZkGeNurbCurve3d&>(*first);
            const auto& b = static_cast<const ZkGeNurbCurve3d&>(*second);
            EXPECT_FALSE(a.isPeriodic() || b.isPeriodic());
            EXPECT_EQ(a.getInterval(), ZkGeInterval(range.lowerBound(), at));
            EXPECT_EQ(b.getInterval(), ZkGeInterval(at, range.upperBound()));
            // Clamped: the end control points are the end points.
            EXPECT_TRUE(
                near(a.controlPointAt(a.numControlPoints() - 1), curve.evalPoint(at), 1e-13));
            EXPECT_TRUE(near(b.controlPointAt(0), curve.evalPoint(at), 1e-13));
            for (const double t : params(a, 23))
                EXPECT_TRUE(near(a.evalPoint(t), curve.evalPoint(t), 1e-12));
            for (const double t : params(b, 23))
                EXPECT_TRUE(near(b.evalPoint(t), curve.evalPoint(t), 1e-12));
        }
    }
    std::unique_ptr<ZkGeCurve3d> first;
    std::unique_ptr<ZkGeCurve3d> second;
    const ZkGeNurbCurve3d curve = wavyCubic();
    curve.getSplitCurves(0, first, second);
    EXPECT_FALSE(first);
    ASSERT_TRUE(second);
    EXPECT_TRUE(second->isEqualTo(curve));
    curve.getSplitCurves(5, first, second);
    EXPECT_TRUE(first && first->isEqualTo(curve));
    EXPECT_FALSE(second);
}

TEST(ZkGeNurbCurve3d, ClosestPointFindsTheParameterBack) {
    const ZkGeNurbCurve3d cases[] = {wavyCubic({1, 2, 1, 0.5, 1, 3, 1, 1}), periodicCubic(),
                                     quarterCircle()};
    for (const ZkGeNurbCurve3d& curve : cases) {
        std::vector<ZkGeVector3d> d;
        for (const double t : params(curve, 37)) {
            const ZkGePoint3d p = curve.evalPoint(t, 1, d);
            if (curve.isPeriodic() && t == curve.getInterval().upperBound())
                continue; // the same point as the start
            EXPECT_NEAR(curve.paramOf(p), t, 1e-9);
            // Off the curve along a normal, a little: still the same foot.
            const ZkGeVector3d off = d[0].perpVector() * 1e-3;
            EXPECT_NEAR(curve.paramOf(p + off), t, 1e-6) << t;
            EXPECT_TRUE(near(curve.closestPointTo(p + off), p, 1e-6));
        }
    }
    // Beyond an open end the end point is nearest.
    const ZkGeNurbCurve3d arc = quarterCircle();
    EXPECT_EQ(arc.paramOf(ZkGePoint3d(2, -1, 0)), 0.0);
    EXPECT_EQ(arc.paramOf(ZkGePoint3d(-1, 3, 0)), 1.0);
    EXPECT_NEAR(arc.distanceTo(ZkGePoint3d(0, 0, 0)), 1.0, 1e-12);
}

TEST(ZkGeNurbCurve3d, StraightCubicIsAsLongAsItsChord) {
    // Uneven control points make the speed vary along the line.
    const ZkGeNurbCurve3d line(
        3, ZkGeKnotVector{0, 0, 0, 0, 0.3, 1, 1, 1, 1},
        ZkArray<ZkGePoint3d>{{1, 1, 1}, {1.1, 1.2, 1.3}, {2, 3, 4}, {2.2, 3.4, 4.6}, {3, 5, 7}});
    EXPECT_NEAR(line.length(), ZkGePoint3d(1, 1, 1).distanceTo(ZkGePoint3d(3, 5, 7)), 1e-12);
    EXPECT_NEAR(line.length(0.7, 0.2), line.evalPoint(0.2).distanceTo(line.evalPoint(0.7)), 1e-12);
    const ZkGeNurbCurve3d curve = periodicCubic();
    EXPECT_NEAR(curve.length(1, 10), curve.length(1, 6) + curve.length(0, 4), 1e-10);
}

TEST(ZkGeNurbCurve3d, DegenerateAndEmptyCurves) {
    const ZkGeNurbCurve3d empty;
    EXPECT_TRUE(empty.isDegenerate());
    EXPECT_EQ(empty.getInterval(), ZkGeInterval(0, 0));
    EXPECT_EQ(empty.evalPoint(0.5), ZkGePoint3d());
    EXPECT_TRUE(empty.boundBlock().isEmpty());
    EXPECT_FALSE(empty.isClosed());
    const ZkArray<ZkGePoint3d> same{{1, 2, 3}, {1, 2, 3}, {1, 2, 3 + 1e-11}};
    const ZkGeNurbCurve3d point(2, ZkGeKnotVector{0, 0, 0, 1, 1, 1}, same);
    EXPECT_TRUE(point.isDegenerate());
    EXPECT_NEAR(point.length(), 0.0, 1e-10);
    EXPECT_FALSE(wavyCubic().isDegenerate());
}

TEST(ZkGeNurbCurve3d, BoundBlockHoldsTheCurve) {
    for (const ZkGeNurbCurve3d& curve : {wavyCubic({1, 2, 1, 0.5, 1, 3, 1, 1}), periodicCubic()}) {
        const ZkGeBoundBlock3d box = curve.boundBlock();
        for (const double t : params(curve, 101))
            EXPECT_TRUE(box.contains(curve.evalPoint(t)));
    }
    EXPECT_EQ(quarterCircle().boundBlock(),
              ZkGeBoundBlock3d(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 1, 0)));
}

TEST(ZkGeNurbCurve3d, TransformMapsTheCurveExactly) {
    const ZkGeMatrix3d m =
        ZkGeMatrix3d::rotation(0.7, ZkGeVector3d(1, 2, 3), ZkGePoint3d(1, 0, 0)) *
        ZkGeMatrix3d().setToScaling(2.5);
    for (const ZkGeNurbCurve3d& original :
         {wavyCubic({1, 2, 1, 0.5, 1, 3, 1, 1}), periodicCubic()}) {
        ZkGeNurbCurve3d curve = original;
        curve.transformBy(m);
        for (const double t : params(curve, 31)) {
            ZkGePoint3d expected = original.evalPoint(t);
            EXPECT_TRUE(near(curve.evalPoint(t), expected.transformBy(m), 1e-12));
        }
    }
}

TEST(ZkGeNurbCurve3d, EqualityComparesTheDefinition) {
    const ZkGeNurbCurve3d curve = wavyCubic();
    ZkGeNurbCurve3d moved = curve;
    ASSERT_TRUE(moved.setControlPointAt(3, moved.controlPointAt(3) + ZkGeVector3d(0, 0, 1e-11)));
    EXPECT_NE(moved, curve);
    EXPECT_TRUE(moved.isEqualTo(curve));
    EXPECT_FALSE(moved.isEqualTo(curve, ZkGeTol(1e-12, 1e-12)));
    // Weights of 1 are the non-rational curve's weights.
    EXPECT_TRUE(wavyCubic({1, 1, 1, 1, 1, 1, 1, 1}).isEqualTo(curve));
    EXPECT_NE(wavyCubic({1, 1, 1, 1, 1, 1, 1, 1}), curve);
    // Inserting a knot keeps the point set but not the defining data.
    ZkGeNurbCurve3d refined = curve;
    refined.insertKnot(1);
    EXPECT_FALSE(refined.isEqualTo(curve));
    EXPECT_FALSE(curve.isEqualTo(ZkGeLineSeg3d()));
    ZkGeNurbCurve3d weighted = curve;
    ASSERT_TRUE(weighted.setWeightAt(2, 1.5));
    EXPECT_TRUE(weighted.isRational());
    EXPECT_FALSE(weighted.isEqualTo(curve));
}
