#pragma once

#include "ZkGeInterval.h"
#include "ZkGeQuadrature.h"
#include "ZkGeTol.h"

#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

// The measures every curve takes the same way in the plane and in space,
// written once over its point and vector types: arc length by quadrature of
// the speed, evenly spaced samples, samples for drawing, and closedness.
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

    // Samples a bounded curve for drawing: evenly in parameter over
    // kChordSpans spans first, then halving each span (at most kChordHalvings
    // times) whose middle strays from its chord by more than the tolerance.
    // `toleranceOf(evenSamples)` gives the tolerance, so that a caller may
    // scale it to the curve's size; zero keeps the even samples. This needs
    // nothing of the curve but evaluation, so it draws arcs, ellipses and
    // NURBS alike. Throws std::invalid_argument for an unbounded curve.
    template <class Curve, class ToleranceOf>
    static auto chordPoints(const Curve& curve, ToleranceOf toleranceOf)
        -> std::vector<decltype(curve.evalPoint(0.0))> {
        using Point = decltype(curve.evalPoint(0.0));
        const ZkGeInterval range = curve.getInterval();
        if (!range.isBounded())
            throw std::invalid_argument("an unbounded curve cannot be drawn");
        const double t0 = range.lowerBound(), t1 = range.upperBound();
        std::vector<double> params;
        std::vector<Point> even;
        for (int i = 0; i <= kChordSpans; ++i) {
            params.push_back(t0 + (t1 - t0) * i / kChordSpans);
            even.push_back(curve.evalPoint(params.back()));
        }
        const double tolerance = toleranceOf(even);
        std::vector<Point> out{even.front()};
        for (size_t i = 1; i < params.size(); ++i)
            refineChord(curve, tolerance, params[i - 1], even[i - 1], params[i], even[i], 0, out);
        return out;
    }

    template <class Curve> static bool isClosed(const Curve& curve, const ZkGeTol& tol) {
        const ZkGeInterval range = curve.getInterval();
        if (!range.isBounded())
            return false;
        return curve.evalPoint(range.lowerBound())
            .isEqualTo(curve.evalPoint(range.upperBound()), tol);
    }

private:
    static constexpr int kChordSpans = 16;
    static constexpr int kChordHalvings = 6;

    template <class Curve, class Point>
    static void refineChord(const Curve& curve, double tolerance, double ta, const Point& a,
                            double tb, const Point& b, int depth, std::vector<Point>& out) {
        const double tm = 0.5 * (ta + tb);
        const Point m = curve.evalPoint(tm);
        const Point chordMiddle = a + (b - a) * 0.5;
        if (depth < kChordHalvings && tolerance > 0.0 && m.distanceTo(chordMiddle) > tolerance) {
            refineChord(curve, tolerance, ta, a, tm, m, depth + 1, out);
            refineChord(curve, tolerance, tm, m, tb, b, depth + 1, out);
            return;
        }
        out.push_back(b);
    }
};
