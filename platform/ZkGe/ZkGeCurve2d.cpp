#include "ZkGeCurve2d.h"

#include "ZkGeParamSearch.h"
#include "ZkGeQuadrature.h"

#include <cmath>
#include <limits>
#include <utility>

double ZkGeCurve2d::paramOf(const ZkGePoint2d& point, const ZkGeTol&) const {
    const ZkGeInterval range = getInterval();
    std::vector<ZkGeVector2d> derivs;
    const auto f = [&](double t) {
        const ZkGePoint2d p = evalPoint(t, 2, derivs);
        return ZkGeParamSearch::halfSquaredDistance(p - point, derivs[0], derivs[1]);
    };
    return ZkGeParamSearch::minimize(f, range.lowerBound(), range.upperBound());
}

double ZkGeCurve2d::length(double fromParam, double toParam, double tol) const {
    if (fromParam > toParam)
        std::swap(fromParam, toParam);
    if (fromParam == toParam)
        return 0.0;
    if (std::isinf(fromParam) || std::isinf(toParam))
        return std::numeric_limits<double>::infinity();
    std::vector<ZkGeVector2d> derivs;
    const auto speed = [&](double t) {
        evalPoint(t, 1, derivs);
        return derivs[0].length();
    };
    return ZkGeQuadrature::integrate(speed, fromParam, toParam, tol);
}

void ZkGeCurve2d::getSamplePoints(int numSample, std::vector<ZkGePoint2d>& points,
                                  std::vector<double>* params) const {
    points.clear();
    if (params)
        params->clear();
    const ZkGeInterval range = getInterval();
    if (numSample < 1 || !range.isBounded())
        return;
    const double lower = range.lowerBound();
    const double upper = range.upperBound();
    for (int i = 0; i < numSample; ++i) {
        // The last parameter is the upper bound itself, not a rounded sum.
        const double t = i == 0               ? lower
                         : i == numSample - 1 ? upper
                                              : lower + (upper - lower) * i / (numSample - 1);
        points.push_back(evalPoint(t));
        if (params)
            params->push_back(t);
    }
}

bool ZkGeCurve2d::isClosed(const ZkGeTol& tol) const {
    const ZkGeInterval range = getInterval();
    if (!range.isBounded())
        return false;
    return evalPoint(range.lowerBound()).isEqualTo(evalPoint(range.upperBound()), tol);
}
