#include "ZkGeNurbCurve2d.h"
#include "ZkGeTestSupport.h"

#include <cmath>
#include <random>

// The plane curve shares its algorithms with the 3d one; these check that the
// two-coordinate instance works end to end.

namespace {

ZkArray<ZkGePoint2d> randomPoints(int count, std::mt19937& rng) {
    std::uniform_real_distribution<double> step(-1.0, 1.0);
    ZkArray<ZkGePoint2d> points;
    ZkGePoint2d p;
    for (int i = 0; i < count; ++i) {
        p += ZkGeVector2d(1 + step(rng), 3 * step(rng));
        points.append(p);
    }
    return points;
}

std::vector<double> params(const ZkGeCurve2d& curve, int count) {
    std::vector<ZkGePoint2d> points;
    std::vector<double> result;
    curve.getSamplePoints(count, points, &result);
    return result;
}

testing::AssertionResult interpolates(const ZkGeNurbCurve2d& curve, double eps = 1e-9) {
    double t = 0;
    ZkGePoint2d previous;
    for (int i = 0; i < curve.numFitPoints(); ++i) {
        ZkGePoint2d q;
        curve.getFitPointAt(i, q);
        t += i > 0 ? q.distanceTo(previous) : 0.0;
        previous = q;
        if (!curve.evalPoint(t).isEqualTo(q, ZkGeTol(eps, eps)))
            return testing::AssertionFailure() << "misses fit point " << i;
    }
    return testing::AssertionSuccess();
}

// The curve rebuilt from its definition data alone.
ZkGeNurbCurve2d fromDefinition(const ZkGeNurbCurve2d& curve) {
    int degree = 0;
    bool rational = false, periodic = false;
    ZkGeKnotVector knots;
    ZkArray<ZkGePoint2d> points;
    ZkArray<double> weights;
    curve.getDefinitionData(degree, rational, periodic, knots, points, weights);
    return ZkGeNurbCurve2d(degree, knots, points, weights, periodic);
}

} // namespace

TEST(ZkGeNurbCurve2d, FitsOpenAndClosedAndHonoursTangents) {
    std::mt19937 rng(17);
    for (const int count : {3, 4, 10, 120}) {
        const ZkArray<ZkGePoint2d> points = randomPoints(count, rng);
        const ZkGeNurbCurve2d open(points);
        EXPECT_TRUE(interpolates(open)) << count;

        const ZkGeVector2d start(1, -1);
        const ZkGeVector2d end(0, 2);
        const ZkGeNurbCurve2d tangent(points, start, end);
        EXPECT_TRUE(interpolates(tangent)) << count;
        std::vector<ZkGeVector2d> d;
        tangent.evalPoint(tangent.getInterval().lowerBound(), 1, d);
        EXPECT_TRUE(near(d[0], start, 1e-6));
        tangent.evalPoint(tangent.getInterval().upperBound(), 1, d);
        EXPECT_TRUE(near(d[0], end, 1e-6));

        ZkArray<ZkGePoint2d> ring = points;
        ring.append(points[0]);
        const ZkGeNurbCurve2d closed(ring);
        ASSERT_TRUE(closed.isPeriodic());
        EXPECT_TRUE(interpolates(closed)) << count;
        std::vector<ZkGeVector2d> a;
        std::vector<ZkGeVector2d> b;
        closed.evalPoint(closed.getInterval().lowerBound(), 2, a);
        closed.evalPoint(closed.getInterval().upperBound(), 2, b);
        EXPECT_TRUE(near(a[0], b[0], 1e-9));
        EXPECT_TRUE(near(a[1], b[1], 1e-8));
    }
}

TEST(ZkGeNurbCurve2d, RationalCircleAndDerivatives) {
    // A full circle from four rational quadratic quarters.
    const double w = std::sqrt(0.5);
    const ZkGeNurbCurve2d circle(
        2, ZkGeKnotVector{0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 4},
        ZkArray<ZkGePoint2d>{
            {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}},
        {1, w, 1, w, 1, w, 1, w, 1});
    EXPECT_TRUE(circle.isClosed());
    EXPECT_FALSE(circle.isPeriodic());
    for (const double t : params(circle, 77))
        EXPECT_NEAR(circle.evalPoint(t).asVector().length(), 1.0, 1e-15);
    EXPECT_NEAR(circle.length(), 2 * M_PI, 1e-11);
    const double h = 1e-6;
    std::vector<ZkGeVector2d> d;
    for (const double t : {0.3, 1.6, 2.2, 3.9}) {
        circle.evalPoint(t, 2, d);
        const ZkGeVector2d diff = (circle.evalPoint(t + h) - circle.evalPoint(t - h)) / (2 * h);
        EXPECT_TRUE(near(d[0], diff, 1e-8));
        // On a circle the acceleration has a centripetal part |v|^2 / r.
        EXPECT_NEAR(-d[1].dotProduct(circle.evalPoint(t).asVector()), d[0].lengthSqrd(), 1e-12);
    }
    EXPECT_NEAR(circle.paramOf(ZkGePoint2d(0, 3)), 1.0, 1e-9);
    EXPECT_TRUE(near(circle.closestPointTo(ZkGePoint2d(-2, -2)), ZkGePoint2d(-w, -w), 1e-9));
    EXPECT_TRUE(circle.boundBlock().contains(ZkGePoint2d(0.9, 0.9)));
}

TEST(ZkGeNurbCurve2d, SplitEditCopyAndCompare) {
    std::mt19937 rng(19);
    ZkGeNurbCurve2d curve(randomPoints(12, rng));
    std::unique_ptr<ZkGeCurve2d> first;
    std::unique_ptr<ZkGeCurve2d> second;
    curve.getSplitCurves(4.5, first, second);
    ASSERT_TRUE(first && second);
    for (const double t : params(*first, 15))
        EXPECT_TRUE(near(first->evalPoint(t), curve.evalPoint(t), 1e-12));
    for (const double t : params(*second, 15))
        EXPECT_TRUE(near(second->evalPoint(t), curve.evalPoint(t), 1e-12));

    ZkGeNurbCurve2d edited = curve;
    ASSERT_TRUE(edited.setFitPointAt(5, ZkGePoint2d(7, 7)));
    ASSERT_TRUE(edited.addFitPointAt(2, ZkGePoint2d(1, 9)));
    ASSERT_TRUE(edited.removeFitPointAt(0));
    EXPECT_TRUE(interpolates(edited));
    EXPECT_NE(edited, curve);
    EXPECT_FALSE(edited.isEqualTo(curve));

    const std::unique_ptr<ZkGeCurve2d> copy = curve.copy();
    EXPECT_EQ(copy->type(), ZkGe::kNurbCurve2d);
    EXPECT_TRUE(copy->isKindOf(ZkGe::kCurve2d));
    EXPECT_TRUE(copy->isEqualTo(curve));
    EXPECT_EQ(static_cast<const ZkGeNurbCurve2d&>(*copy), curve);

    const ZkGeNurbCurve2d rebuilt = fromDefinition(curve);
    EXPECT_TRUE(rebuilt.isEqualTo(curve, ZkGeTol(0, 0)));
    EXPECT_FALSE(rebuilt.hasFitData());
}

TEST(ZkGeNurbCurve2d, DerivativesAnywhereAndRestoredFitData) {
    std::mt19937 rng(41);
    const ZkArray<ZkGePoint2d> points = randomPoints(6, rng);
    ZkGeNurbCurve2d curve;
    ASSERT_TRUE(
        curve.setFitData(points, {{3, 1, ZkGeVector2d(0, 2)}, {3, 2, ZkGeVector2d(1, 0)}}, false));
    EXPECT_TRUE(interpolates(curve));
    double t = 0;
    for (int i = 1; i <= 3; ++i)
        t += points[i].distanceTo(points[i - 1]);
    std::vector<ZkGeVector2d> d;
    curve.evalPoint(t, 2, d);
    EXPECT_TRUE(near(d[0], ZkGeVector2d(0, 2), 1e-9));
    EXPECT_TRUE(near(d[1], ZkGeVector2d(1, 0), 1e-9));

    ZkGeNurbCurve2d restored = fromDefinition(curve);
    restored.restoreFitData(points, ZkGeContext::gTol, false, ZkGeVector2d(), ZkGeVector2d());
    EXPECT_EQ(restored, curve);

    ZkGeNurbCurve2d closed;
    ASSERT_TRUE(closed.setFitData(points, {}, true));
    EXPECT_TRUE(closed.isPeriodic());
    EXPECT_EQ(closed.numFitPoints(), 7);
    EXPECT_TRUE(interpolates(closed));
}
