#include "ZkGeCurve3d.h"

#include "ZkGeCurveSampling.h"
#include "ZkGeParamSearch.h"

namespace {

// The generic searches need a finite range. Unbounded curves (lines and
// rays) answer these queries in closed form, so this window only keeps a
// curve that forgot to from sampling at infinity.
constexpr double kSearchReach = 1e6;

void searchRange(const ZkGeInterval& range, double& lower, double& upper) {
    lower = range.lowerBound();
    upper = range.upperBound();
    if (!range.isBoundedBelow())
        lower = (range.isBoundedAbove() ? upper : 0.0) - kSearchReach;
    if (!range.isBoundedAbove())
        upper = (range.isBoundedBelow() ? lower : 0.0) + kSearchReach;
}

} // namespace

ZkGePoint3d ZkGeCurve3d::projClosestPointTo(const ZkGePoint3d& point, const ZkGeVector3d& direction,
                                            const ZkGeTol& tol) const {
    if (direction.isZeroLength(tol))
        return closestPointTo(point, tol);
    const ZkGeVector3d dir = direction.normal();
    // Dropping the component along dir is the projection onto the plane.
    const auto flat = [&dir](const ZkGeVector3d& v) {
        return v - dir * v.dotProduct(dir);
    };
    std::vector<ZkGeVector3d> derivs;
    const auto f = [&](double t) {
        const ZkGePoint3d p = evalPoint(t, 2, derivs);
        return ZkGeParamSearch::halfSquaredDistance(flat(p - point), flat(derivs[0]),
                                                    flat(derivs[1]));
    };
    double lower, upper;
    searchRange(getInterval(), lower, upper);
    return evalPoint(ZkGeParamSearch::minimize(f, lower, upper));
}

double ZkGeCurve3d::distanceTo(const ZkGeCurve3d& other, const ZkGeTol& tol) const {
    // Sampling the bounded side finds its stretch nearest the other curve;
    // the other curve's own closest-point query does the rest.
    const ZkGeInterval range = getInterval();
    if (!range.isBounded() && other.getInterval().isBounded())
        return other.distanceTo(*this, tol);
    double lower, upper;
    searchRange(range, lower, upper);
    const auto gap = [&](double t) {
        const ZkGePoint3d p = evalPoint(t);
        return other.closestPointTo(p, tol).distanceTo(p);
    };
    return gap(ZkGeParamSearch::minimizeValue(gap, lower, upper, 64));
}

double ZkGeCurve3d::length(double fromParam, double toParam, double tol) const {
    return ZkGeCurveSampling::length<ZkGeCurve3d, ZkGeVector3d>(*this, fromParam, toParam, tol);
}

void ZkGeCurve3d::getSamplePoints(int numSample, std::vector<ZkGePoint3d>& points,
                                  std::vector<double>* params) const {
    ZkGeCurveSampling::samplePoints(*this, numSample, points, params);
}

bool ZkGeCurve3d::isClosed(const ZkGeTol& tol) const {
    return ZkGeCurveSampling::isClosed(*this, tol);
}

bool ZkGeCurve3d::isPeriodic(double& period) const {
    period = 0.0;
    return false;
}
