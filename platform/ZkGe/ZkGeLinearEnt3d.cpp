#include "ZkGeLinearEnt3d.h"

#include <algorithm>
#include <cmath>
#include <limits>

ZkGePoint3d ZkGeLinearEnt3d::evalPoint(double param, int numDeriv,
                                       std::vector<ZkGeVector3d>& derivatives) const {
    derivatives.assign(std::max(numDeriv, 0), ZkGeVector3d());
    if (numDeriv > 0)
        derivatives[0] = direction();
    return evalPoint(param);
}

double ZkGeLinearEnt3d::lineParamOf(const ZkGePoint3d& point) const {
    const ZkGeVector3d dir = direction();
    const double lengthSqrd = dir.lengthSqrd();
    if (lengthSqrd == 0.0)
        return 0.0;
    return (point - pointOnLine()).dotProduct(dir) / lengthSqrd;
}

double ZkGeLinearEnt3d::paramOf(const ZkGePoint3d& point, const ZkGeTol&) const {
    const ZkGeInterval range = interval();
    return std::clamp(lineParamOf(point), range.lowerBound(), range.upperBound());
}

ZkGePoint3d ZkGeLinearEnt3d::closestPointTo(const ZkGePoint3d& point, const ZkGeTol& tol) const {
    return evalPoint(paramOf(point, tol));
}

ZkGePoint3d ZkGeLinearEnt3d::projClosestPointTo(const ZkGePoint3d& point,
                                                const ZkGeVector3d& projectDirection,
                                                const ZkGeTol& tol) const {
    if (projectDirection.isZeroLength(tol))
        return closestPointTo(point, tol);
    const ZkGeVector3d along = projectDirection.normal();
    const auto flat = [&along](const ZkGeVector3d& v) {
        return v - along * v.dotProduct(along);
    };
    const ZkGeVector3d dir = direction();
    const ZkGeVector3d flatDir = flat(dir);
    if (flatDir.length() <= tol.equalVector() * dir.length() || dir.isZeroLength(tol))
        return closestPointTo(point, tol);
    const double param = -flat(pointOnLine() - point).dotProduct(flatDir) / flatDir.lengthSqrd();
    const ZkGeInterval range = interval();
    return evalPoint(std::clamp(param, range.lowerBound(), range.upperBound()));
}

double ZkGeLinearEnt3d::distanceTo(const ZkGeCurve3d& other, const ZkGeTol& tol) const {
    if (!other.isKindOf(ZkGe::kLinearEnt3d))
        return other.distanceTo(*this, tol);
    const auto& line = static_cast<const ZkGeLinearEnt3d&>(other);

    // |w + s u - t v|^2 is a convex quadratic over the box of both parameter
    // ranges: its minimum is the free minimum when that lies inside the box,
    // otherwise on a side of the box, where the other parameter is simply
    // clamped. Infinite sides are never the answer and are skipped.
    const ZkGeVector3d u = direction();
    const ZkGeVector3d v = line.direction();
    const ZkGeVector3d w = pointOnLine() - line.pointOnLine();
    const ZkGeInterval sRange = interval();
    const ZkGeInterval tRange = line.interval();
    const double a = u.lengthSqrd();
    const double b = u.dotProduct(v);
    const double c = v.lengthSqrd();
    const double d = u.dotProduct(w);
    const double e = v.dotProduct(w);

    const auto clampS = [&](double s) {
        return std::clamp(s, sRange.lowerBound(), sRange.upperBound());
    };
    const auto clampT = [&](double t) {
        return std::clamp(t, tRange.lowerBound(), tRange.upperBound());
    };
    const auto bestT = [&](double s) {
        return clampT(c > 0.0 ? (e + b * s) / c : 0.0);
    };
    const auto bestS = [&](double t) {
        return clampS(a > 0.0 ? (b * t - d) / a : 0.0);
    };
    double best = std::numeric_limits<double>::infinity();
    const auto tryPair = [&](double s, double t) {
        best = std::min(best, (w + u * s - v * t).length());
    };

    const double denom = a * c - b * b;
    if (denom > 0.0) {
        const double s = (b * e - c * d) / denom;
        const double t = (a * e - b * d) / denom;
        if (std::isfinite(s) && std::isfinite(t) && s == clampS(s) && t == clampT(t))
            tryPair(s, t);
    }
    for (const double s : {sRange.lowerBound(), sRange.upperBound()}) {
        if (std::isfinite(s))
            tryPair(s, bestT(s));
    }
    for (const double t : {tRange.lowerBound(), tRange.upperBound()}) {
        if (std::isfinite(t))
            tryPair(bestS(t), t);
    }
    // Parallel lines have no free minimum and no sides; any pair facing each
    // other will do.
    const double s0 = clampS(0.0);
    tryPair(s0, bestT(s0));
    return best;
}

double ZkGeLinearEnt3d::length(double fromParam, double toParam, double) const {
    const double speed = direction().length();
    if (fromParam == toParam || speed == 0.0)
        return 0.0;
    return std::abs(toParam - fromParam) * speed;
}

ZkGeBoundBlock3d ZkGeLinearEnt3d::boundBlock() const {
    const ZkGeInterval range = interval();
    const ZkGePoint3d origin = pointOnLine();
    const ZkGeVector3d dir = direction();
    ZkGePoint3d ends[2] = {origin, origin};
    const double params[2] = {range.lowerBound(), range.upperBound()};
    for (int k = 0; k < 2; ++k) {
        // Skipping zero components keeps 0 * inf from turning into NaN.
        for (int i = 0; i < 3; ++i) {
            if (dir[i] != 0.0)
                ends[k][i] += dir[i] * params[k];
        }
    }
    return ZkGeBoundBlock3d(ends[0], ends[1]);
}

bool ZkGeLinearEnt3d::isColinearTo(const ZkGeLinearEnt3d& other, const ZkGeTol& tol) const {
    if (!isParallelTo(other, tol))
        return false;
    const ZkGePoint3d point = other.pointOnLine();
    return point.isEqualTo(evalPoint(lineParamOf(point)), tol);
}
