#include "ZkGeCurve2d.h"

#include "ZkGeCurveSampling.h"
#include "ZkGeParamSearch.h"

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
    return ZkGeCurveSampling::length<ZkGeCurve2d, ZkGeVector2d>(*this, fromParam, toParam, tol);
}

void ZkGeCurve2d::getSamplePoints(int numSample, std::vector<ZkGePoint2d>& points,
                                  std::vector<double>* params) const {
    ZkGeCurveSampling::samplePoints(*this, numSample, points, params);
}

bool ZkGeCurve2d::isClosed(const ZkGeTol& tol) const {
    return ZkGeCurveSampling::isClosed(*this, tol);
}
