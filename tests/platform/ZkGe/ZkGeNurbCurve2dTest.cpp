#include "ZkGeNurbCurve2d.h"
#include "ZkGeTestSupport.h"

#include <cmath>

// The plane curve shares its algorithms with the 3d one, which is where they
// are tested in depth; these check that the two-coordinate instance works
// end to end.

namespace {

testing::AssertionResult interpolates(const ZkGeNurbCurve2d& curve) {
    double t = 0;
    ZkGePoint2d previous;
    for (int i = 0; i < curve.numFitPoints(); ++i) {
        ZkGePoint2d q;
        curve.getFitPointAt(i, q);
        t += i > 0 ? q.distanceTo(previous) : 0.0;
        previous = q;
        if (!curve.evalPoint(t).isEqualTo(q, ZkGeTol(1e-9, 1e-9)))
            return testing::AssertionFailure() << "misses fit point " << i;
    }
    return testing::AssertionSuccess();
}

const ZkArray<ZkGePoint2d> kPoints{{0, 0}, {1, 2}, {3, 1}, {4, -2}, {6, 0}, {7, 3}};

} // namespace

TEST(ZkGeNurbCurve2d, FitsOpenClosedAndWithDerivatives) {
    const ZkGeNurbCurve2d open(kPoints, ZkGeVector2d(1, -1), ZkGeVector2d(0, 2));
    EXPECT_TRUE(interpolates(open));
    std::vector<ZkGeVector2d> d;
    open.evalPoint(open.getInterval().upperBound(), 1, d);
    EXPECT_TRUE(near(d[0], ZkGeVector2d(0, 2), 1e-6));

    ZkGeNurbCurve2d closed;
    ASSERT_TRUE(closed.setFitData(kPoints, {{3, 1, ZkGeVector2d(0, 2)}}, true));
    EXPECT_TRUE(closed.isPeriodic());
    EXPECT_EQ(closed.numFitPoints(), 7);
    EXPECT_TRUE(interpolates(closed));
    double t = 0;
    for (int i = 1; i <= 3; ++i)
        t += kPoints[i].distanceTo(kPoints[i - 1]);
    closed.evalPoint(t, 1, d);
    EXPECT_TRUE(near(d[0], ZkGeVector2d(0, 2), 1e-9));
}

TEST(ZkGeNurbCurve2d, RationalQuartersMakeAnExactCircle) {
    const double w = std::sqrt(0.5);
    const ZkGeNurbCurve2d circle(
        2, ZkGeKnotVector{0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 4},
        ZkArray<ZkGePoint2d>{
            {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}},
        {1, w, 1, w, 1, w, 1, w, 1});
    EXPECT_TRUE(circle.isClosed());
    for (const double t : {0.3, 1.6, 2.2, 3.9})
        EXPECT_NEAR(circle.evalPoint(t).asVector().length(), 1.0, 1e-15);
    EXPECT_NEAR(circle.length(), 2 * M_PI, 1e-11);
    EXPECT_TRUE(near(circle.closestPointTo(ZkGePoint2d(-2, -2)), ZkGePoint2d(-w, -w), 1e-9));
}

TEST(ZkGeNurbCurve2d, SplitEditAndRestoredFitData) {
    const ZkGeNurbCurve2d curve(kPoints);
    std::unique_ptr<ZkGeCurve2d> first;
    std::unique_ptr<ZkGeCurve2d> second;
    curve.getSplitCurves(4.5, first, second);
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(near(first->evalPoint(2), curve.evalPoint(2), 1e-12));
    EXPECT_TRUE(near(second->evalPoint(7), curve.evalPoint(7), 1e-12));

    ZkGeNurbCurve2d edited = curve;
    ASSERT_TRUE(edited.setFitPointAt(5, ZkGePoint2d(7, 7)));
    ASSERT_TRUE(edited.addFitPointAt(2, ZkGePoint2d(1, 9)));
    ASSERT_TRUE(edited.removeFitPointAt(0));
    EXPECT_TRUE(interpolates(edited));

    // The definition alone, as read back from a file, and the fit data put
    // back on it give the curve again.
    int degree = 0;
    bool rational = false, periodic = false;
    ZkGeKnotVector knots;
    ZkArray<ZkGePoint2d> points;
    ZkArray<double> weights;
    curve.getDefinitionData(degree, rational, periodic, knots, points, weights);
    ZkGeNurbCurve2d restored(degree, knots, points, weights, periodic);
    EXPECT_FALSE(restored.hasFitData());
    restored.restoreFitData(kPoints, ZkGeContext::gTol, false, ZkGeVector2d(), ZkGeVector2d());
    EXPECT_EQ(restored, curve);
}
