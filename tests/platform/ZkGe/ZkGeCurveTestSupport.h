#pragma once

// Checks shared by the curve tests: derivatives against finite differences,
// and bound blocks against dense sampling.
#include "ZkGeTestSupport.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <type_traits>
#include <vector>

// The first three derivatives at t against central differences of the
// next lower one (the point for the first). Differences of step h are good
// to about h^2 times the next derivative, hence the loose eps.
template <class Curve, class Vector>
testing::AssertionResult derivativesMatchDifferences(const Curve& curve, double t,
                                                     double eps = 1e-6) {
    const double h = 1e-5;
    std::vector<Vector> at, before, after;
    const auto p = curve.evalPoint(t, 3, at);
    const auto p0 = curve.evalPoint(t - h, 3, before);
    const auto p1 = curve.evalPoint(t + h, 3, after);
    if (at.size() != 3)
        return testing::AssertionFailure() << "asked for 3 derivatives, got " << at.size();
    if (!p.isEqualTo(curve.evalPoint(t), ZkGeTol(1e-12, 1e-12)))
        return testing::AssertionFailure() << "the two evalPoint overloads disagree at " << t;
    const Vector first = (p1 - p0) / (2 * h);
    if (!first.isEqualTo(at[0], ZkGeTol(eps, eps)))
        return testing::AssertionFailure()
               << "first derivative at " << t << ": " << ZkGeFormat::toString(at[0]) << " vs "
               << ZkGeFormat::toString(first);
    for (int k = 1; k < 3; ++k) {
        const Vector diff = (after[k - 1] - before[k - 1]) / (2 * h);
        if (!diff.isEqualTo(at[k], ZkGeTol(eps, eps)))
            return testing::AssertionFailure()
                   << "derivative " << k + 1 << " at " << t << ": " << ZkGeFormat::toString(at[k])
                   << " vs " << ZkGeFormat::toString(diff);
    }
    return testing::AssertionSuccess();
}

// The box must hold every sample, and each face must be touched by a sample
// to within slack: a box that is too large fails as surely as one too small.
template <class Curve, class Box>
testing::AssertionResult boxIsTight(const Curve& curve, const Box& box, double slack = 1e-6,
                                    int numSample = 20001) {
    std::vector<decltype(curve.evalPoint(0.0))> points;
    curve.getSamplePoints(numSample, points);
    const auto lo = box.minPoint();
    const auto hi = box.maxPoint();
    const int dim = std::is_same_v<Box, ZkGeBoundBlock3d> ? 3 : 2;
    for (int i = 0; i < dim; ++i) {
        double sampleLo = points[0][i];
        double sampleHi = points[0][i];
        for (const auto& p : points) {
            sampleLo = std::min(sampleLo, p[i]);
            sampleHi = std::max(sampleHi, p[i]);
        }
        const double eps = 1e-12 * (1 + std::abs(lo[i]) + std::abs(hi[i]));
        if (sampleLo < lo[i] - eps || sampleHi > hi[i] + eps)
            return testing::AssertionFailure()
                   << "axis " << i << ": samples reach [" << sampleLo << ", " << sampleHi
                   << "] outside " << lo[i] << ", " << hi[i];
        if (sampleLo > lo[i] + slack || sampleHi < hi[i] - slack)
            return testing::AssertionFailure()
                   << "axis " << i << ": box [" << lo[i] << ", " << hi[i]
                   << "] is loose around samples [" << sampleLo << ", " << sampleHi << "]";
    }
    return testing::AssertionSuccess();
}
