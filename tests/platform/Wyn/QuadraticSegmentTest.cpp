#include "Wyn/Objects/QuadraticSegment.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Wyn::Objects::QuadraticSegment;

ZkGePoint2d cubic(const ZkGePoint2d (&p)[4], double t) {
    const double u = 1.0 - t;
    const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
    return ZkGePoint2d(b0 * p[0].x + b1 * p[1].x + b2 * p[2].x + b3 * p[3].x,
                       b0 * p[0].y + b1 * p[1].y + b2 * p[2].y + b3 * p[3].y);
}

// The largest distance from points of the cubic to the nearest sample of the
// quadratic pieces.
double deviation(const ZkGePoint2d (&p)[4], const std::vector<QuadraticSegment>& pieces) {
    std::vector<ZkGePoint2d> samples;
    for (const auto& q : pieces)
        for (int i = 0; i <= 200; ++i)
            samples.push_back(q.evalPoint(i / 200.0));
    double worst = 0.0;
    for (int i = 0; i <= 100; ++i) {
        const ZkGePoint2d c = cubic(p, i / 100.0);
        double best = 1e300;
        for (const ZkGePoint2d& s : samples)
            best = std::min(best, c.distanceTo(s));
        worst = std::max(worst, best);
    }
    return worst;
}

TEST(QuadraticSegment, CubicsSplitIntoJoinedQuadraticsWithinTolerance) {
    const ZkGePoint2d s[4] = {{0, 0}, {0, 100}, {100, -100}, {100, 0}};
    const auto pieces = QuadraticSegment::fromCubic(s[0], s[1], s[2], s[3], 0.1);
    ASSERT_GT(pieces.size(), 2u) << "an S-curve cannot be one parabola";
    EXPECT_EQ(pieces.front().startPoint().x, 0.0);
    EXPECT_EQ(pieces.back().endPoint().x, 100.0);
    for (size_t i = 1; i < pieces.size(); ++i)
        EXPECT_LT(pieces[i - 1].endPoint().distanceTo(pieces[i].startPoint()), 1e-12);
    EXPECT_LT(deviation(s, pieces), 0.15);

    // A looser tolerance needs fewer pieces.
    EXPECT_LT(QuadraticSegment::fromCubic(s[0], s[1], s[2], s[3], 5.0).size(), pieces.size());
}

TEST(QuadraticSegment, ACubicThatIsAQuadraticStaysOnePiece) {
    // The degree-elevated form of the parabola (0,0) (1,2) (2,0).
    const ZkGePoint2d s[4] = {{0, 0}, {2.0 / 3, 4.0 / 3}, {4.0 / 3, 4.0 / 3}, {2, 0}};
    const auto pieces = QuadraticSegment::fromCubic(s[0], s[1], s[2], s[3], 1e-6);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_NEAR(pieces[0].controlPoint(1).x, 1.0, 1e-12);
    EXPECT_NEAR(pieces[0].controlPoint(1).y, 2.0, 1e-12);
}

TEST(QuadraticSegment, ExtremesBoundTheCurveNotItsControlPoint) {
    const QuadraticSegment q({0, 0}, {1, 2}, {2, 0});
    ZkGePoint2d lo, hi;
    q.extremes(lo, hi);
    EXPECT_DOUBLE_EQ(lo.x, 0.0);
    EXPECT_DOUBLE_EQ(hi.x, 2.0);
    EXPECT_DOUBLE_EQ(lo.y, 0.0);
    EXPECT_DOUBLE_EQ(hi.y, 1.0); // the apex, half-way to the control point
}

} // namespace
