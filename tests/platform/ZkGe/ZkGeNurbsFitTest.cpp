#include "ZkGeNurbCurve3d.h"
#include "ZkGeTestSupport.h"

#include <cmath>
#include <random>

// Interpolation of fit points by ZkGeNurbCurve3d; the shared fitting code
// serves the 2d curve too.

namespace {

ZkArray<ZkGePoint3d> randomPoints(int count, std::mt19937& rng) {
    std::uniform_real_distribution<double> step(-1.0, 1.0);
    ZkArray<ZkGePoint3d> points;
    ZkGePoint3d p(0, 0, 0);
    for (int i = 0; i < count; ++i) {
        // A drifting walk, so the points are neither tidy nor all in a heap.
        p += ZkGeVector3d(1 + step(rng), 2 * step(rng), step(rng));
        points.append(p);
    }
    return points;
}

// Points around a wobbly loop, the first repeated at the end.
ZkArray<ZkGePoint3d> loop(int count) {
    ZkArray<ZkGePoint3d> points;
    for (int i = 0; i < count; ++i) {
        const double a = 2 * M_PI * i / count;
        points.append(
            ZkGePoint3d(3 * std::cos(a), 2 * std::sin(a) + 0.3 * std::cos(3 * a), std::sin(2 * a)));
    }
    points.append(points[0]);
    return points;
}

// The curve is parametrised by chord length from 0, so fit point i sits at
// the sum of the chords before it.
std::vector<double> chordParams(const ZkGeNurbCurve3d& curve) {
    std::vector<double> t;
    ZkGePoint3d previous;
    for (int i = 0; i < curve.numFitPoints(); ++i) {
        ZkGePoint3d q;
        curve.getFitPointAt(i, q);
        t.push_back(i == 0 ? 0.0 : t.back() + q.distanceTo(previous));
        previous = q;
    }
    return t;
}

testing::AssertionResult interpolates(const ZkGeNurbCurve3d& curve, double eps = 1e-9) {
    const std::vector<double> t = chordParams(curve);
    for (int i = 0; i < curve.numFitPoints(); ++i) {
        ZkGePoint3d q;
        curve.getFitPointAt(i, q);
        const ZkGePoint3d p = curve.evalPoint(t[static_cast<std::size_t>(i)]);
        if (!p.isEqualTo(q, ZkGeTol(eps, eps)))
            return testing::AssertionFailure()
                   << "fit point " << i << " " << ZkGeFormat::toString(q) << " but the curve has "
                   << ZkGeFormat::toString(p);
    }
    return testing::AssertionSuccess();
}

// What getFitData reports, as one value.
struct FitData {
    ZkArray<ZkGePoint3d> points;
    ZkGeTol tol;
    bool tangentsExist = false;
    ZkGeVector3d start, end;
    bool operator==(const FitData& o) const {
        return points == o.points && tol.equalPoint() == o.tol.equalPoint() &&
               tangentsExist == o.tangentsExist && start == o.start && end == o.end;
    }
};

FitData fitDataOf(const ZkGeCurve3d& curve) {
    FitData d;
    d.end = ZkGeVector3d(9, 9, 9); // must be overwritten
    EXPECT_TRUE(static_cast<const ZkGeNurbCurve3d&>(curve).getFitData(
        d.points, d.tol, d.tangentsExist, d.start, d.end));
    return d;
}

ZkGeVector3d derivativeAt(const ZkGeNurbCurve3d& curve, double t) {
    std::vector<ZkGeVector3d> d;
    curve.evalPoint(t, 1, d);
    return d[0];
}

using Derivatives = std::vector<ZkGeNurbCurve3d::FitDerivative>;

testing::AssertionResult meets(const ZkGeNurbCurve3d& curve, const Derivatives& derivatives,
                               double eps) {
    const std::vector<double> t = chordParams(curve);
    std::vector<ZkGeVector3d> d;
    for (const auto& [index, order, value] : derivatives) {
        curve.evalPoint(t[static_cast<std::size_t>(index)], 2, d);
        const ZkGeVector3d& actual = d[static_cast<std::size_t>(order - 1)];
        if (!near(actual, value, eps * (1 + value.length())))
            return testing::AssertionFailure()
                   << "derivative " << order << " at fit point " << index << " is "
                   << ZkGeFormat::toString(actual) << ", not " << ZkGeFormat::toString(value);
    }
    return testing::AssertionSuccess();
}

// The second derivative is continuous across every knot: the curve is C2.
testing::AssertionResult isC2(const ZkGeNurbCurve3d& curve) {
    std::vector<ZkGeVector3d> left;
    std::vector<ZkGeVector3d> right;
    const ZkGeInterval range = curve.getInterval();
    for (int i = 0; i < curve.numKnots(); ++i) {
        const double u = curve.knotAt(i);
        if (u <= range.lowerBound() || u >= range.upperBound())
            continue;
        curve.evalPoint(u - 1e-7, 2, left);
        curve.evalPoint(u + 1e-7, 2, right);
        if (!near(left[1], right[1], 1e-4 * (1 + left[1].length())))
            return testing::AssertionFailure() << "the second derivative jumps at " << u;
    }
    return testing::AssertionSuccess();
}

// A closed curve meets itself with the same first and second derivative.
testing::AssertionResult seamIsC2(const ZkGeNurbCurve3d& curve) {
    std::vector<ZkGeVector3d> atStart;
    std::vector<ZkGeVector3d> atEnd;
    const ZkGeInterval range = curve.getInterval();
    const ZkGePoint3d start = curve.evalPoint(range.lowerBound(), 2, atStart);
    const ZkGePoint3d end = curve.evalPoint(range.upperBound(), 2, atEnd);
    if (!near(start, end, 1e-12) || !near(atStart[0], atEnd[0], 1e-9) ||
        !near(atStart[1], atEnd[1], 1e-9))
        return testing::AssertionFailure() << "the seam is not C2";
    return testing::AssertionSuccess();
}

} // namespace

TEST(ZkGeNurbsFit, InterpolatesEveryFitPoint) {
    std::mt19937 rng(7);
    for (int count = 3; count <= 200; count += count < 12 ? 1 : 17) {
        const ZkArray<ZkGePoint3d> points = randomPoints(count, rng);
        const ZkGeNurbCurve3d curve(points);
        EXPECT_EQ(curve.degree(), 3);
        EXPECT_FALSE(curve.isRational() || curve.isPeriodic());
        // Three points fix only a quadratic, raised to a cubic.
        EXPECT_EQ(curve.numControlPoints(), std::max(count, 4));
        EXPECT_TRUE(interpolates(curve)) << count << " points";
        EXPECT_EQ(curve.startPoint(), points.first()) << "exactly";
        // With tangents the same holds, with two more control points.
        const ZkGeNurbCurve3d tangent(points, ZkGeVector3d(1, 0, 0), ZkGeVector3d(0, 0, -2));
        EXPECT_EQ(tangent.numControlPoints(), count + 2);
        EXPECT_TRUE(interpolates(tangent)) << count << " points with tangents";
    }
}

TEST(ZkGeNurbsFit, EndTangentsAreTheEndDerivatives) {
    std::mt19937 rng(11);
    const ZkGeVector3d start(0.5, -2, 1);
    const ZkGeVector3d end(3, 0, -0.25);
    for (const int count : {2, 3, 4, 5, 9, 40}) {
        const ZkArray<ZkGePoint3d> points = randomPoints(count, rng);
        const ZkGeNurbCurve3d both(points, start, end);
        const ZkGeInterval range = both.getInterval();
        EXPECT_TRUE(interpolates(both));
        EXPECT_TRUE(near(derivativeAt(both, range.lowerBound()), start, 1e-6)) << count;
        EXPECT_TRUE(near(derivativeAt(both, range.upperBound()), end, 1e-6)) << count;

        // One tangent alone: the other end is left free.
        const ZkGeNurbCurve3d first(points, start, ZkGeVector3d());
        EXPECT_TRUE(interpolates(first));
        EXPECT_TRUE(near(derivativeAt(first, range.lowerBound()), start, 1e-6));
        EXPECT_FALSE(first.hasEndTangent());
        const ZkGeNurbCurve3d last(points, ZkGeVector3d(), end);
        EXPECT_TRUE(interpolates(last));
        EXPECT_TRUE(near(derivativeAt(last, range.upperBound()), end, 1e-6));
    }
}

TEST(ZkGeNurbsFit, TwoPointsGiveAStraightCubic) {
    const ZkArray<ZkGePoint3d> points{{1, 1, 0}, {4, 5, 0}};
    const ZkGeNurbCurve3d curve(points);
    EXPECT_EQ(curve.degree(), 3);
    EXPECT_EQ(curve.getInterval(), ZkGeInterval(0, 5));
    EXPECT_NEAR(curve.length(), 5.0, 1e-12);
    // Evenly parametrised: the midpoint at the middle of the range.
    EXPECT_TRUE(near(curve.evalPoint(2.5), ZkGePoint3d(2.5, 3, 0), 1e-12));
    EXPECT_TRUE(near(derivativeAt(curve, 0), ZkGeVector3d(0.6, 0.8, 0), 1e-12));
}

TEST(ZkGeNurbsFit, ClosedFitIsPeriodicAndC2AcrossTheSeam) {
    for (const int count : {3, 4, 7, 50}) {
        const ZkGeNurbCurve3d curve(loop(count));
        ASSERT_TRUE(curve.isPeriodic()) << count;
        EXPECT_EQ(curve.numControlPoints(), count);
        EXPECT_TRUE(curve.isClosed());
        EXPECT_TRUE(interpolates(curve)) << count;
        EXPECT_TRUE(seamIsC2(curve)) << count;
        EXPECT_TRUE(isC2(curve)) << count;
    }
    // End tangents ask for a corner, so the closed points give a clamped curve.
    const ZkGeNurbCurve3d teardrop(loop(6), ZkGeVector3d(0, 1, 0), ZkGeVector3d(1, 1, 0));
    EXPECT_FALSE(teardrop.isPeriodic());
    EXPECT_TRUE(teardrop.isClosed());
    EXPECT_TRUE(interpolates(teardrop));
}

TEST(ZkGeNurbsFit, EditingFitPointsRefits) {
    std::mt19937 rng(3);
    ZkGeNurbCurve3d curve(randomPoints(8, rng), ZkGeVector3d(1, 1, 0), ZkGeVector3d(0, 1, 1));
    ASSERT_TRUE(curve.setFitPointAt(3, ZkGePoint3d(4, 10, -3)));
    EXPECT_TRUE(interpolates(curve));
    ASSERT_TRUE(curve.addFitPointAt(0, ZkGePoint3d(-5, 0, 0)));
    ASSERT_TRUE(curve.addFitPointAt(5, ZkGePoint3d(6, 6, 6)));
    ASSERT_TRUE(curve.addFitPointAt(curve.numFitPoints(), ZkGePoint3d(30, 0, 0)));
    EXPECT_EQ(curve.numFitPoints(), 11);
    EXPECT_TRUE(interpolates(curve));
    ZkGePoint3d q;
    ASSERT_TRUE(curve.getFitPointAt(5, q));
    EXPECT_EQ(q, ZkGePoint3d(6, 6, 6));
    EXPECT_TRUE(near(curve.endPoint(), ZkGePoint3d(30, 0, 0), 1e-9));
    ASSERT_TRUE(curve.removeFitPointAt(0));
    EXPECT_TRUE(interpolates(curve));
    EXPECT_TRUE(
        near(derivativeAt(curve, curve.getInterval().upperBound()), ZkGeVector3d(0, 1, 1), 1e-6));

    const ZkGeNurbCurve3d before = curve;
    EXPECT_FALSE(curve.setFitPointAt(10, q));
    EXPECT_FALSE(curve.setFitPointAt(-1, q));
    EXPECT_FALSE(curve.addFitPointAt(12, q));
    EXPECT_FALSE(curve.removeFitPointAt(10));
    EXPECT_FALSE(curve.getFitPointAt(10, q));
    EXPECT_EQ(curve, before);

    // Down to one point there is no curve; back to two there is again.
    while (curve.numFitPoints() > 1)
        ASSERT_TRUE(curve.removeFitPointAt(0));
    EXPECT_EQ(curve.numControlPoints(), 0);
    EXPECT_TRUE(curve.isDegenerate());
    EXPECT_TRUE(curve.hasFitData());
    ASSERT_TRUE(curve.addFitPointAt(0, ZkGePoint3d(1, 0, 0)));
    EXPECT_EQ(curve.numControlPoints(), 4);
    EXPECT_TRUE(interpolates(curve));

    // An empty curve takes fit points one by one; a defined one refuses them.
    ZkGeNurbCurve3d drawn;
    EXPECT_TRUE(drawn.addFitPointAt(0, ZkGePoint3d(0, 0, 0)));
    EXPECT_TRUE(drawn.addFitPointAt(1, ZkGePoint3d(1, 0, 0)));
    EXPECT_TRUE(drawn.addFitPointAt(2, ZkGePoint3d(1, 1, 0)));
    EXPECT_TRUE(interpolates(drawn));
    ZkGeNurbCurve3d defined(1, ZkGeKnotVector{0, 0, 1, 1},
                            ZkArray<ZkGePoint3d>{{0, 0, 0}, {1, 0, 0}});
    EXPECT_FALSE(defined.addFitPointAt(0, ZkGePoint3d(0, 0, 0)));
    EXPECT_FALSE(defined.setFitTangents(ZkGeVector3d(1, 0, 0), ZkGeVector3d()));
}

TEST(ZkGeNurbsFit, FitDataRoundTripsAndPurges) {
    std::mt19937 rng(5);
    const ZkArray<ZkGePoint3d> points = randomPoints(6, rng);
    const ZkGeTol tol(1e-6, 1e-9);
    ZkGeNurbCurve3d curve;
    curve.setFitData(points, tol, true, ZkGeVector3d(0, 0, 1), ZkGeVector3d());
    const FitData data = fitDataOf(curve);
    EXPECT_EQ(data, (FitData{points, tol, true, ZkGeVector3d(0, 0, 1), ZkGeVector3d()}));
    EXPECT_TRUE(curve.hasStartTangent());
    EXPECT_FALSE(curve.hasEndTangent());

    ZkGeNurbCurve3d copy;
    copy.setFitData(data.points, data.tol, data.tangentsExist, data.start, data.end);
    EXPECT_EQ(copy, curve);
    // Tangents do not count without tangentsExist.
    copy.setFitData(data.points, data.tol, false, data.start, data.end);
    ZkGeVector3d start, end;
    EXPECT_FALSE(copy.getFitTangents(start, end));
    EXPECT_EQ(copy, ZkGeNurbCurve3d(points, tol));
    ASSERT_TRUE(copy.setFitTangents(ZkGeVector3d(0, 0, 1), ZkGeVector3d()));
    EXPECT_EQ(copy, curve);

    // Forgetting the fit data keeps the curve.
    ZkGeNurbCurve3d purged = curve;
    purged.purgeFitData();
    EXPECT_FALSE(purged.hasFitData());
    EXPECT_EQ(purged.numFitPoints(), 0);
    FitData none;
    EXPECT_FALSE(purged.getFitData(none.points, none.tol, none.tangentsExist, start, end));
    EXPECT_TRUE(purged.isEqualTo(curve, ZkGeTol(0, 0)));
    EXPECT_NE(purged, curve);
    // Moving a control point leaves the fit points behind, so they go.
    ZkGeNurbCurve3d edited = curve;
    ASSERT_TRUE(edited.setControlPointAt(2, ZkGePoint3d(0, 0, 0)));
    EXPECT_FALSE(edited.hasFitData());
}

TEST(ZkGeNurbsFit, TransformCarriesTheFitData) {
    std::mt19937 rng(9);
    ZkGeNurbCurve3d curve(randomPoints(7, rng), ZkGeVector3d(1, 0, 0), ZkGeVector3d(0, 1, 0));
    const ZkGeMatrix3d m = ZkGeMatrix3d::rotation(1.1, ZkGeVector3d(0, 1, 1), ZkGePoint3d(2, 0, 0));
    curve.transformBy(m);
    EXPECT_TRUE(interpolates(curve, 1e-9));
    ZkGeVector3d start;
    ZkGeVector3d end;
    curve.getFitTangents(start, end);
    EXPECT_TRUE(near(start, ZkGeVector3d(1, 0, 0).transformBy(m)));
    EXPECT_TRUE(near(derivativeAt(curve, 0), start, 1e-6));
    // A rigid motion does not change chord lengths, so refitting agrees.
    ZkGeNurbCurve3d refit = curve;
    ASSERT_TRUE(refit.setFitPointAt(0, [&] {
        ZkGePoint3d q;
        curve.getFitPointAt(0, q);
        return q;
    }()));
    EXPECT_TRUE(refit.isEqualTo(curve, ZkGeTol(1e-9, 1e-9)));
}

TEST(ZkGeNurbsFit, CoincidentFitPoints) {
    // A repeated point is one point to the fit; the curve still passes it.
    const ZkArray<ZkGePoint3d> points{{0, 0, 0}, {1, 1, 0}, {1, 1, 0}, {2, 0, 0}, {3, 1, 0}};
    const ZkGeNurbCurve3d curve(points);
    EXPECT_EQ(curve.numFitPoints(), 5);
    EXPECT_EQ(curve.numControlPoints(), 4);
    EXPECT_TRUE(interpolates(curve));
    EXPECT_FALSE(curve.isDegenerate());
    // All in one place: a point of a curve.
    const ZkGeNurbCurve3d point(ZkArray<ZkGePoint3d>{{1, 2, 3}, {1, 2, 3}});
    EXPECT_TRUE(point.isDegenerate());
    EXPECT_EQ(point.evalPoint(0.5), ZkGePoint3d(1, 2, 3));
    // Fewer than two fit points: no curve at all.
    EXPECT_EQ(ZkGeNurbCurve3d(ZkArray<ZkGePoint3d>{{1, 2, 3}}).numControlPoints(), 0);
    // Closing within the fit tolerance closes the curve.
    ZkArray<ZkGePoint3d> nearlyClosed = loop(5);
    nearlyClosed.last() += ZkGeVector3d(1e-7, 0, 0);
    EXPECT_FALSE(ZkGeNurbCurve3d(nearlyClosed).isPeriodic());
    EXPECT_TRUE(ZkGeNurbCurve3d(nearlyClosed, ZkGeTol(1e-6, 1e-9)).isPeriodic());
}

TEST(ZkGeNurbsFit, TenThousandPointsFitInLinearTime) {
    std::mt19937 rng(13);
    const ZkArray<ZkGePoint3d> points = randomPoints(10000, rng);
    const ZkGeNurbCurve3d curve(points, ZkGeVector3d(1, 0, 0), ZkGeVector3d(1, 0, 0));
    EXPECT_EQ(curve.numControlPoints(), 10002);
    EXPECT_TRUE(interpolates(curve, 1e-8));
    ZkArray<ZkGePoint3d> closed = points;
    closed.append(points[0]);
    const ZkGeNurbCurve3d ring(closed);
    EXPECT_TRUE(ring.isPeriodic());
    EXPECT_TRUE(interpolates(ring, 1e-8));
}

TEST(ZkGeNurbsFitDerivatives, DerivativesAnywhereKeepTheCurveC2) {
    std::mt19937 rng(17);
    for (const int count : {3, 9, 40}) {
        const ZkArray<ZkGePoint3d> points = randomPoints(count, rng);
        const int mid = count / 2;
        const Derivatives derivatives = {{0, 1, ZkGeVector3d(0, 2, 0)},
                                         {0, 2, ZkGeVector3d(1, 0, 0)},
                                         {mid, 1, ZkGeVector3d(1, 0.5, 0)},
                                         {mid, 2, ZkGeVector3d(-0.2, 0.4, 1)},
                                         {count - 1, 2, ZkGeVector3d(0, 0, -1)}};
        ZkGeNurbCurve3d curve;
        ASSERT_TRUE(curve.setFitData(points, derivatives, false)) << count;
        EXPECT_EQ(curve.degree(), 3);
        EXPECT_EQ(curve.numControlPoints(), count + 5) << "one per condition";
        EXPECT_TRUE(interpolates(curve)) << count;
        EXPECT_TRUE(meets(curve, derivatives, 1e-9)) << count;
        EXPECT_TRUE(isC2(curve)) << count << ": every knot simple";
    }
}

TEST(ZkGeNurbsFitDerivatives, TheFitDataKeepThePointsAndTheEndTangents) {
    std::mt19937 rng(19);
    const ZkArray<ZkGePoint3d> points = randomPoints(6, rng);
    const ZkGeVector3d start(1, 0, 0);
    const ZkGeVector3d end(0, -1, 0);
    ZkGeNurbCurve3d curve;
    ASSERT_TRUE(curve.setFitData(points,
                                 {{5, 1, end}, {2, 1, ZkGeVector3d(0, 0, 3)}, {0, 1, start}}, false,
                                 ZkGeTol(1e-6, 1e-9)));
    EXPECT_EQ(fitDataOf(curve), (FitData{points, ZkGeTol(1e-6, 1e-9), true, start, end}));
    // Editing refits with the end tangents alone.
    ZkGeNurbCurve3d edited = curve;
    ASSERT_TRUE(edited.setFitPointAt(0, points[0]));
    EXPECT_EQ(edited, ZkGeNurbCurve3d(points, start, end, ZkGeTol(1e-6, 1e-9)));
    EXPECT_FALSE(edited.isEqualTo(curve));
}

TEST(ZkGeNurbsFitDerivatives, ClosedFitsArePeriodicFromTheFirstPointAndMeetTheirDerivatives) {
    for (const int count : {3, 7, 50}) {
        ZkArray<ZkGePoint3d> points = loop(count);
        points.removeAt(points.length() - 1);
        const Derivatives derivatives = {{0, 1, ZkGeVector3d(0, 2, 1)},
                                         {count - 1, 2, ZkGeVector3d(0.5, 0, 0)},
                                         {count / 2, 1, ZkGeVector3d(-1, 0, 0)},
                                         {count / 2, 2, ZkGeVector3d(0, 0, 1)}};
        ZkGeNurbCurve3d curve;
        ASSERT_TRUE(curve.setFitData(points, derivatives, true)) << count;
        ASSERT_TRUE(curve.isPeriodic());
        EXPECT_EQ(curve.numFitPoints(), count + 1);
        EXPECT_FALSE(curve.hasStartTangent() || curve.hasEndTangent());
        EXPECT_EQ(curve.getInterval().lowerBound(), 0.0);
        EXPECT_TRUE(near(curve.startPoint(), points[0], 1e-9));
        EXPECT_TRUE(interpolates(curve)) << count;
        EXPECT_TRUE(meets(curve, derivatives, 1e-9)) << count;
        EXPECT_TRUE(seamIsC2(curve)) << count;
        EXPECT_TRUE(isC2(curve));
    }
    // Evenly spaced points have their knots at the points: the classic
    // closed spline.
    ZkArray<ZkGePoint3d> square{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    ZkGeNurbCurve3d curve;
    ASSERT_TRUE(curve.setFitData(square, {}, true));
    EXPECT_EQ(curve.knots(), ZkGeKnotVector({0, 1, 2, 3, 4}));
    // Two distinct points cannot close smoothly: there and back again.
    ASSERT_TRUE(curve.setFitData(ZkArray<ZkGePoint3d>{{0, 0, 0}, {2, 0, 0}}, {}, true));
    EXPECT_FALSE(curve.isPeriodic());
    EXPECT_TRUE(curve.isClosed());
}

TEST(ZkGeNurbsFitDerivatives, ImpossibleRequestsChangeNothing) {
    const ZkArray<ZkGePoint3d> points{{0, 0, 0}, {1, 1, 0}, {2, 0, 0}};
    ZkGeNurbCurve3d curve(points);
    const ZkGeNurbCurve3d before = curve;
    EXPECT_FALSE(curve.setFitData(points, {{3, 1, ZkGeVector3d(1, 0, 0)}}, false));
    EXPECT_FALSE(curve.setFitData(points, {{-1, 1, ZkGeVector3d(1, 0, 0)}}, false));
    EXPECT_FALSE(curve.setFitData(points, {{1, 3, ZkGeVector3d(1, 0, 0)}}, false));
    EXPECT_FALSE(curve.setFitData(points, {{1, 0, ZkGeVector3d(1, 0, 0)}}, false));
    EXPECT_FALSE(curve.setFitData(ZkArray<ZkGePoint3d>{{0, 0, 0}}, {}, false));
    EXPECT_EQ(curve, before);
    // A derivative on a point that coincides with its predecessor goes to
    // that point; the curve still passes through both.
    ZkArray<ZkGePoint3d> doubled = points;
    doubled.insertAt(2, points[1]);
    ASSERT_TRUE(curve.setFitData(doubled, {{2, 1, ZkGeVector3d(1, 0, 0)}}, false));
    EXPECT_TRUE(interpolates(curve));
    std::vector<ZkGeVector3d> d;
    curve.evalPoint(points[1].distanceTo(points[0]), 1, d);
    EXPECT_TRUE(near(d[0], ZkGeVector3d(1, 0, 0), 1e-9));
}

TEST(ZkGeNurbsFitDerivatives, SplitPiecesKeepTheFitPointsOfTheirSide) {
    std::mt19937 rng(23);
    const ZkArray<ZkGePoint3d> points = randomPoints(6, rng);
    const ZkGeVector3d start(0, 1, 0);
    const ZkGeVector3d end(1, 0, 0);
    const ZkGeNurbCurve3d open(points, start, end);
    const std::vector<double> t = chordParams(open);
    const auto fitOf = [](const std::unique_ptr<ZkGeCurve3d>& piece) {
        const FitData data = fitDataOf(*piece);
        return std::make_tuple(data.points, data.start, data.end);
    };
    std::unique_ptr<ZkGeCurve3d> first;
    std::unique_ptr<ZkGeCurve3d> second;
    // Between fit points 2 and 3: the split point ends one and starts the other.
    const double u = 0.5 * (t[2] + t[3]);
    open.getSplitCurves(u, first, second);
    ASSERT_TRUE(first && second);
    const ZkGePoint3d cut = open.evalPoint(u);
    EXPECT_EQ(fitOf(first),
              std::make_tuple(ZkArray<ZkGePoint3d>{points[0], points[1], points[2], cut}, start,
                              ZkGeVector3d()));
    EXPECT_EQ(fitOf(second),
              std::make_tuple(ZkArray<ZkGePoint3d>{cut, points[3], points[4], points[5]},
                              ZkGeVector3d(), end));
    // At a fit point, that point is the split point, even after a transform
    // that is no similarity.
    ZkGeNurbCurve3d stretched = open;
    ZkGeMatrix3d stretch;
    stretch.setCoordSystem(ZkGePoint3d::kOrigin, ZkGeVector3d(3, 0, 0), ZkGeVector3d(0, 1, 0),
                           ZkGeVector3d(0, 0, 0.5));
    stretched.transformBy(stretch);
    ZkGePoint3d at;
    stretched.getFitPointAt(4, at);
    stretched.getSplitCurves(stretched.paramOf(at), first, second);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(fitDataOf(*first).points.length(), 5);
    EXPECT_EQ(fitDataOf(*first).points.last(), at);
    EXPECT_EQ(fitDataOf(*second).points.first(), at);
    EXPECT_EQ(fitDataOf(*second).points.length(), 2);

    // A closed curve is cut open at its first point, which ends the second
    // piece.
    const ZkGeNurbCurve3d closed(loop(6));
    const std::vector<double> s = chordParams(closed);
    closed.getSplitCurves(0.5 * (s[1] + s[2]), first, second);
    ASSERT_TRUE(first && second);
    const ZkArray<ZkGePoint3d> ring = loop(6);
    EXPECT_EQ(fitDataOf(*first).points.length(), 3);
    EXPECT_EQ(fitDataOf(*first).points.first(), ring[0]);
    EXPECT_EQ(fitDataOf(*second).points.length(), 6);
    EXPECT_EQ(fitDataOf(*second).points.last(), ring[0]);
    // A curve without fit data gives pieces without.
    ZkGeNurbCurve3d bare = open;
    bare.purgeFitData();
    bare.getSplitCurves(u, first, second);
    EXPECT_FALSE(static_cast<const ZkGeNurbCurve3d&>(*first).hasFitData());
}
