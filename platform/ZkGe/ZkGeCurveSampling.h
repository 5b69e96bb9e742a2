#pragma once

#include "ZkGeInterval.h"
#include "ZkGeQuadrature.h"
#include "ZkGeTol.h"

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

// The measures every curve takes the same way in the plane and in space,
// written once over its point and vector types: arc length by quadrature of
// the speed, evenly spaced samples, and closedness.
class ZkGeCurveSampling {
public:
    template <class Curve, class Vector>
    static double length(const Curve& curve, double fromParam, double toParam, double tol) {
        if (fromParam > toParam)
            std::swap(fromParam, toParam);
        if (fromParam == toParam)
            return 0.0;
        if (std::isinf(fromParam) || std::isinf(toParam))
            return std::numeric_limits<double>::infinity();
        std::vector<Vector> derivs;
        const auto speed = [&](double t) {
            curve.evalPoint(t, 1, derivs);
            return derivs[0].length();
        };
        return ZkGeQuadrature::integrate(speed, fromParam, toParam, tol);
    }

    // `numSample` points from the start to the end of a bounded curve, both
    // ends included exactly; none for an unbounded one.
    template <class Curve, class Point>
    static void samplePoints(const Curve& curve, int numSample, std::vector<Point>& points,
                             std::vector<double>* params) {
        points.clear();
        if (params)
            params->clear();
        const ZkGeInterval range = curve.getInterval();
        if (numSample < 1 || !range.isBounded())
            return;
        const double lower = range.lowerBound();
        const double upper = range.upperBound();
        for (int i = 0; i < numSample; ++i) {
            // The last parameter is the upper bound itself, not a rounded sum.
            const double t = i == 0               ? lower
                             : i == numSample - 1 ? upper
                                                  : lower + (upper - lower) * i / (numSample - 1);
            points.push_back(curve.evalPoint(t));
            if (params)
                params->push_back(t);
        }
    }

    template <class Curve> static bool isClosed(const Curve& curve, const ZkGeTol& tol) {
        const ZkGeInterval range = curve.getInterval();
        if (!range.isBounded())
            return false;
        return curve.evalPoint(range.lowerBound())
            .isEqualTo(curve.evalPoint(range.upperBound()), tol);
    }
};
