// Samples for drawing: even spans first, halved where the curve strays from
// its chords, the same for plane and space curves.

#include "ZkGeCurveTestSupport.h"

#include "ZkGeCurveSampling.h"

#include <cmath>
#include <stdexcept>

namespace {

// How far the middle of each chord lies inside a circle of `radius` about
// the origin, at most.
double deepestChord(const std::vector<ZkGePoint2d>& points, double radius) {
    double deepest = 0.0;
    for (size_t i = 1; i < points.size(); ++i) {
        const ZkGePoint2d middle = points[i - 1] + (points[i] - points[i - 1]) * 0.5;
        deepest = std::max(deepest, radius - middle.distanceTo(ZkGePoint2d::kOrigin));
    }
    return deepest;
}

TEST(ZkGeCurveSampling, WithoutToleranceTheEvenSamplesAreKept) {
    const ZkGeCircArc2d circle(ZkGePoint2d::kOrigin, 10.0);
    size_t evenCount = 0;
    const std::vector<ZkGePoint2d> points =
        ZkGeCurveSampling::chordPoints(circle, [&](const std::vector<ZkGePoint2d>& even) {
            evenCount = even.size();
            return 0.0;
        });
    EXPECT_EQ(evenCount, 17u);
    ASSERT_EQ(points.size(), 17u);
    EXPECT_TRUE(near(points.front(), ZkGePoint2d(10, 0)));
    EXPECT_TRUE(near(points[4], ZkGePoint2d(0, 10)));
    EXPECT_TRUE(near(points.back(), ZkGePoint2d(10, 0)));
}

TEST(ZkGeCurveSampling, ChordsStayWithinTheToleranceAndHalvingIsBounded) {
    const ZkGeCircArc2d arc(ZkGePoint2d::kOrigin, 10.0, 0.0, M_PI);
    const auto sampled = [&](double tolerance) {
        return ZkGeCurveSampling::chordPoints(arc, [=](const auto&) { return tolerance; });
    };
    const std::vector<ZkGePoint2d> coarse = sampled(0.05), fine = sampled(0.001);
    EXPECT_LE(deepestChord(coarse, 10.0), 0.05);
    EXPECT_LE(deepestChord(fine, 10.0), 0.001);
    EXPECT_GT(fine.size(), coarse.size());
    EXPECT_TRUE(near(fine.back(), ZkGePoint2d(-10, 0)));
    // Each even span is halved six times at most.
    EXPECT_EQ(sampled(1e-15).size(), 16u * 64u + 1u);

    // A straight curve needs no halving, in space as in the plane.
    const ZkGeLineSeg3d segment(ZkGePoint3d(0, 0, 0), ZkGePoint3d(0, 0, 8));
    EXPECT_EQ(ZkGeCurveSampling::chordPoints(segment, [](const auto&) { return 1e-9; }).size(),
              17u);
}

TEST(ZkGeCurveSampling, AnUnboundedCurveCannotBeSampled) {
    EXPECT_THROW(
        ZkGeCurveSampling::chordPoints(ZkGeLine3d::kXAxis, [](const auto&) { return 0.1; }),
        std::invalid_argument);
}

} // namespace
