// The fit of a spline's curve: through every fit point in order, closed and
// smooth across the seam when asked, meeting tangents in direction and length
// and curvatures as curvature vectors.

#include "Geometry/curves3d/SplineSolver.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::Tests {
namespace {

std::vector<ZkGePoint3d> wave(int count) {
    std::vector<ZkGePoint3d> points;
    for (int i = 0; i < count; ++i)
        points.emplace_back(1.5 * i, std::sin(1.3 * i) * 2.0, 0.2 * i * (i % 3));
    return points;
}

// Points round a lumpy loop, the first not repeated.
std::vector<ZkGePoint3d> ring(int count) {
    std::vector<ZkGePoint3d> points;
    for (int i = 0; i < count; ++i) {
        const double a = 2 * M_PI * i / count;
        points.emplace_back(4 * std::cos(a), 3 * std::sin(a) + 0.5 * std::cos(2 * a),
                            0.5 * std::sin(3 * a));
    }
    return points;
}

double chordParameter(const std::vector<ZkGePoint3d>& points, int index) {
    double t = 0.0;
    for (int i = 1; i <= index; ++i)
        t += points[static_cast<size_t>(i)].distanceTo(points[static_cast<size_t>(i - 1)]);
    return t;
}

struct Local {
    ZkGePoint3d point;
    ZkGeVector3d first;
    ZkGeVector3d second;
    // The curvature vector: the second derivative across the tangent, over
    // the speed squared.
    ZkGeVector3d curvature() const {
        const ZkGeVector3d t = first.normal();
        return (second - t * second.dotProduct(t)) / first.lengthSqrd();
    }
};

Local at(const ZkGeNurbCurve3d& curve, double t) {
    std::vector<ZkGeVector3d> d;
    const ZkGePoint3d p = curve.evalPoint(t, 2, d);
    return {p, d[0], d[1]};
}

Local atFitPoint(const ZkGeNurbCurve3d& curve, const std::vector<ZkGePoint3d>& points, int index) {
    return at(curve, chordParameter(points, index));
}

::testing::AssertionResult near(const ZkGeVector3d& a, const ZkGeVector3d& b, double eps) {
    if ((a - b).length() <= eps)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.x << ", " << a.y << ", " << a.z << ") vs ("
                                         << b.x << ", " << b.y << ", " << b.z << ")";
}

::testing::AssertionResult passesThroughAll(const ZkGeNurbCurve3d& curve,
                                            const std::vector<ZkGePoint3d>& points) {
    for (int i = 0; i < static_cast<int>(points.size()); ++i) {
        const ZkGePoint3d p = atFitPoint(curve, points, i).point;
        if (p.distanceTo(points[static_cast<size_t>(i)]) > 1e-9)
            return ::testing::AssertionFailure() << "misses fit point " << i;
    }
    return ::testing::AssertionSuccess();
}

ZkGeNurbCurve3d solved(const SplineSolver& solver) {
    ZkGeNurbCurve3d curve;
    EXPECT_TRUE(solver.solve(curve));
    return curve;
}

TEST(SplineSolver, OpenSplinesPassThroughEveryFitPointInOrder) {
    for (const int count : {2, 3, 4, 7, 60}) {
        const std::vector<ZkGePoint3d> points = wave(count);
        const ZkGeNurbCurve3d curve = solved(SplineSolver(points, false));
        EXPECT_EQ(curve.degree(), 3);
        EXPECT_FALSE(curve.isPeriodic());
        EXPECT_EQ(curve.numFitPoints(), count);
        EXPECT_TRUE(passesThroughAll(curve, points)) << count << " points";
        EXPECT_EQ(curve.getInterval().lowerBound(), 0.0);
        EXPECT_NEAR(curve.getInterval().upperBound(), chordParameter(points, count - 1), 1e-12);
    }
}

TEST(SplineSolver, ClosedSplinesAreSmoothAcrossTheSeam) {
    for (const int count : {3, 4, 9, 40}) {
        const std::vector<ZkGePoint3d> points = ring(count);
        SplineSolver solver(points, true);
        solver.tangent(2, ZkGeVector3d(-1, 1, 0));
        const ZkGeNurbCurve3d curve = solved(solver);
        ASSERT_TRUE(curve.isPeriodic());
        EXPECT_EQ(curve.numFitPoints(), count + 1) << "the start again closes the fit points";
        EXPECT_TRUE(passesThroughAll(curve, points)) << count;
        const ZkGeInterval range = curve.getInterval();
        const Local start = at(curve, range.lowerBound());
        const Local end = at(curve, range.upperBound());
        EXPECT_LE(start.point.distanceTo(points.front()), 1e-9);
        EXPECT_LE(end.point.distanceTo(points.front()), 1e-9);
        EXPECT_TRUE(near(start.first, end.first, 1e-9)) << count;
        EXPECT_TRUE(near(start.second, end.second, 1e-9)) << count;
    }
}

TEST(SplineSolver, TangentsAreMetInDirectionAndLength) {
    const std::vector<ZkGePoint3d> points = wave(6);
    const ZkGeVector3d first(0, 2, 0), middle(1, 0, 0.5), last(0.3, -0.3, 0);
    SplineSolver solver(points, false);
    ASSERT_TRUE(solver.tangent(0, first));
    ASSERT_TRUE(solver.tangent(3, middle));
    ASSERT_TRUE(solver.tangent(5, last));
    const ZkGeNurbCurve3d curve = solved(solver);
    EXPECT_TRUE(passesThroughAll(curve, points));
    EXPECT_TRUE(near(atFitPoint(curve, points, 0).first, first, 1e-6));
    EXPECT_TRUE(near(atFitPoint(curve, points, 3).first, middle, 1e-6));
    EXPECT_TRUE(near(atFitPoint(curve, points, 5).first, last, 1e-6));
    // The end tangents are the fit data's, so a copy of the spline finds them.
    ZkGeVector3d start, end;
    ASSERT_TRUE(curve.getFitTangents(start, end));
    EXPECT_EQ(start, first);
    EXPECT_EQ(end, last);

    // On a closed spline the start counts as index 0 and as index count.
    const std::vector<ZkGePoint3d> loop = ring(5);
    SplineSolver closed(loop, true);
    ASSERT_TRUE(closed.tangent(5, ZkGeVector3d(0, 3, 0)));
    const ZkGeNurbCurve3d closedCurve = solved(closed);
    EXPECT_TRUE(near(atFitPoint(closedCurve, loop, 0).first, ZkGeVector3d(0, 3, 0), 1e-6));
    // A zero tangent leaves the point free.
    SplineSolver free(points, false);
    free.tangent(3, ZkGeVector3d());
    EXPECT_TRUE(solved(free).isEqualTo(solved(SplineSolver(points, false)), ZkGeTol(0, 0)));
}

TEST(SplineSolver, CurvaturesAreMetAsCurvatureVectors) {
    const std::vector<ZkGePoint3d> points = wave(7);
    // With a tangent, across it.
    SplineSolver withTangent(points, false);
    withTangent.tangent(2, ZkGeVector3d(1, 0, 0));
    withTangent.curvature(2, ZkGeVector3d(0, 0.5, 0));
    // Without one, the fit's own tangent is turned across K.
    withTangent.curvature(4, ZkGeVector3d(0, 0, -0.25));
    withTangent.curvature(6, ZkGeVector3d(0.1, 0.2, 0));
    const ZkGeNurbCurve3d curve = solved(withTangent);
    EXPECT_TRUE(passesThroughAll(curve, points));
    EXPECT_TRUE(near(atFitPoint(curve, points, 2).first, ZkGeVector3d(1, 0, 0), 1e-6));
    EXPECT_TRUE(near(atFitPoint(curve, points, 2).curvature(), ZkGeVector3d(0, 0.5, 0), 1e-6));
    EXPECT_TRUE(near(atFitPoint(curve, points, 4).curvature(), ZkGeVector3d(0, 0, -0.25), 1e-6));
    EXPECT_TRUE(near(atFitPoint(curve, points, 6).curvature(), ZkGeVector3d(0.1, 0.2, 0), 1e-6));
    // Zero curvature is a straight point.
    SplineSolver flat(points, false);
    flat.curvature(3, ZkGeVector3d());
    EXPECT_TRUE(near(atFitPoint(solved(flat), points, 3).curvature(), ZkGeVector3d(), 1e-6));

    // Only the part of K across the tangent can be met.
    SplineSolver slanted(points, false);
    slanted.tangent(1, ZkGeVector3d(2, 0, 0));
    slanted.curvature(1, ZkGeVector3d(3, 1, 0));
    EXPECT_TRUE(
        near(atFitPoint(solved(slanted), points, 1).curvature(), ZkGeVector3d(0, 1, 0), 1e-6));

    // Closed, and at the seam.
    const std::vector<ZkGePoint3d> loop = ring(8);
    SplineSolver closed(loop, true);
    closed.curvature(0, ZkGeVector3d(-0.3, 0, 0));
    closed.curvature(5, ZkGeVector3d(0.1, 0.4, 0));
    const ZkGeNurbCurve3d ringCurve = solved(closed);
    EXPECT_TRUE(ringCurve.isPeriodic());
    EXPECT_TRUE(passesThroughAll(ringCurve, loop));
    EXPECT_TRUE(near(atFitPoint(ringCurve, loop, 0).curvature(), ZkGeVector3d(-0.3, 0, 0), 1e-6));
    EXPECT_TRUE(near(atFitPoint(ringCurve, loop, 5).curvature(), ZkGeVector3d(0.1, 0.4, 0), 1e-6));
}

TEST(SplineSolver, IndicesNameFitPointsAndTooFewPointsGiveNoCurve) {
    SplineSolver open(wave(4), false);
    EXPECT_FALSE(open.tangent(-1, ZkGeVector3d(1, 0, 0)));
    EXPECT_FALSE(open.tangent(4, ZkGeVector3d(1, 0, 0)));
    EXPECT_FALSE(open.curvature(4, ZkGeVector3d(1, 0, 0)));
    EXPECT_TRUE(open.curvature(3, ZkGeVector3d(1, 0, 0)));

    ZkGeNurbCurve3d curve;
    ASSERT_TRUE(SplineSolver({ZkGePoint3d(1, 2, 3)}, false).solve(curve));
    EXPECT_EQ(curve.numControlPoints(), 0);
    EXPECT_EQ(curve.numFitPoints(), 1);
    EXPECT_TRUE(curve.isDegenerate());
}

} // namespace
} // namespace Kv::Geometry::Tests
