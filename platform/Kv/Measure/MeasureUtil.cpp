#include "Kv/Measure/MeasureUtil.h"

#include "ZkGeCurve3d.h"
#include "ZkGeLine3d.h"
#include "ZkGeParamSearch.h"
#include "ZkGePlanarEnt.h"
#include "ZkGePlane.h"

#include <algorithm>
#include <cmath>

namespace Kv {
namespace {

constexpr double kHalfPi = 1.57079632679489661923;
// Samples of a bounded curve's parameter range when searching it for the
// point nearest something else.
constexpr int kSearchSamples = 64;

// The angle between two unit directions regardless of their sense, in
// [0, pi/2].
double undirectedAngle(const ZkGeVector3d& a, const ZkGeVector3d& b) {
    const double angle = a.angleTo(b);
    return angle > kHalfPi ? 2.0 * kHalfPi - angle : angle;
}

// The plane carrying a planar entity.
ZkGePlane carrier(const ZkGePlanarEnt& surface) {
    return ZkGePlane(surface.pointOnPlane(), surface.normal());
}

} // namespace

bool MeasureUtil::getLine(const ZkGeCurve3d& curve, ZkGeLine3d& line) {
    if (!curve.isKindOf(ZkGe::kLinearEnt3d) || curve.isDegenerate())
        return false;
    const auto& linear = static_cast<const ZkGeLinearEnt3d&>(curve);
    line.set(linear.pointOnLine(), linear.direction());
    return true;
}

bool MeasureUtil::getPointPointPointAngle(const ZkGePoint3d& first, const ZkGePoint3d& vertex,
                                          const ZkGePoint3d& last, double& angle) {
    const ZkGeVector3d toFirst = first - vertex;
    const ZkGeVector3d toLast = last - vertex;
    if (toFirst.isZeroLength() || toLast.isZeroLength())
        return false;
    angle = toFirst.angleTo(toLast);
    return true;
}

bool MeasureUtil::getCurveCurveAngle(const ZkGeCurve3d& first, const ZkGePoint3d& firstHit,
                                     const ZkGeCurve3d& second, const ZkGePoint3d& secondHit,
                                     MeasureMgr::MeasureResult& result) {
    ZkGeLine3d a, b;
    if (!getLine(first, a) || !getLine(second, b))
        return false;
    ZkGeVector3d da = a.direction();
    ZkGeVector3d db = b.direction();
    ZkGePoint3d onA, onB;
    if (!da.isParallelTo(db) && getClosestPoints(a, b, onA, onB) && onA.isEqualTo(onB)) {
        const ZkGeVector3d towardsA = firstHit - onA;
        const ZkGeVector3d towardsB = secondHit - onA;
        if (!towardsA.isZeroLength() && towardsA.dotProduct(da) < 0.0)
            da = -da;
        if (!towardsB.isZeroLength() && towardsB.dotProduct(db) < 0.0)
            db = -db;
    }
    result.value = da.angleTo(db);
    result.firstPoint = a.closestPointTo(firstHit);
    result.secondPoint = b.closestPointTo(secondHit);
    return true;
}

bool MeasureUtil::getSurfaceSurfaceAngle(const ZkGePlanarEnt& first, const ZkGePoint3d& firstHit,
                                         const ZkGePlanarEnt& second, const ZkGePoint3d& secondHit,
                                         MeasureMgr::MeasureResult& result) {
    result.value = undirectedAngle(first.normal(), second.normal());
    result.firstPoint = first.closestPointTo(firstHit);
    result.secondPoint = second.closestPointTo(secondHit);
    return true;
}

bool MeasureUtil::getCurveSurfaceAngle(const ZkGeCurve3d& curve, const ZkGePoint3d& curveHit,
                                       const ZkGePlanarEnt& surface, const ZkGePoint3d& surfaceHit,
                                       MeasureMgr::MeasureResult& result) {
    ZkGeLine3d line;
    if (!getLine(curve, line))
        return false;
    result.value = kHalfPi - undirectedAngle(line.direction(), surface.normal());
    result.firstPoint = line.closestPointTo(curveHit);
    result.secondPoint = surface.closestPointTo(surfaceHit);
    return true;
}

bool MeasureUtil::getCurvePlaneDistance(const ZkGeCurve3d& curve, const ZkGePlanarEnt& surface,
                                        MeasureMgr::MeasureResult& result) {
    const ZkGePlane plane = carrier(surface);
    ZkGePoint3d nearest;
    const ZkGeInterval range = curve.getInterval();
    if (range.isBounded()) {
        const auto gap = [&](double t) {
            return std::abs(plane.signedDistanceTo(curve.evalPoint(t)));
        };
        nearest = curve.evalPoint(ZkGeParamSearch::minimizeValue(
            gap, range.lowerBound(), range.upperBound(), kSearchSamples));
    } else {
        ZkGeLine3d line;
        if (!getLine(curve, line))
            return false;
        const auto& linear = static_cast<const ZkGeLinearEnt3d&>(curve);
        if (!plane.intersectWith(linear, nearest)) {
            // Parallel, or a ray pointing away: its start is nearest.
            nearest = linear.pointOnLine();
        }
    }
    result.firstPoint = nearest;
    result.secondPoint = plane.closestPointTo(nearest);
    result.value = result.firstPoint.distanceTo(result.secondPoint);
    return true;
}

bool MeasureUtil::getPlanePlaneDistance(const ZkGePlanarEnt& first, const ZkGePlanarEnt& second,
                                        MeasureMgr::MeasureResult& result, bool parallelOnly) {
    const ZkGePlane a = carrier(first);
    const ZkGePlane b = carrier(second);
    if (!a.normal().isParallelTo(b.normal())) {
        if (parallelOnly)
            return false;
        result.value = 0.0;
        result.firstPoint = result.secondPoint = a.closestPointTo(b.pointOnPlane());
        return true;
    }
    result.secondPoint = b.pointOnPlane();
    result.firstPoint = a.closestPointTo(result.secondPoint);
    result.value = result.firstPoint.distanceTo(result.secondPoint);
    return true;
}

bool MeasureUtil::getClosestPoints(const ZkGeCurve3d& first, const ZkGeCurve3d& second,
                                   ZkGePoint3d& onFirst, ZkGePoint3d& onSecond) {
    const ZkGeInterval range = first.getInterval();
    if (range.isBounded()) {
        const auto gap = [&](double t) {
            const ZkGePoint3d p = first.evalPoint(t);
            return second.closestPointTo(p).distanceTo(p);
        };
        onFirst = first.evalPoint(ZkGeParamSearch::minimizeValue(
            gap, range.lowerBound(), range.upperBound(), kSearchSamples));
        onSecond = second.closestPointTo(onFirst);
        return true;
    }
    if (second.getInterval().isBounded())
        return getClosestPoints(second, first, onSecond, onFirst);
    ZkGeLine3d a, b;
    if (!getLine(first, a) || !getLine(second, b))
        return false;
    // The carrying lines' common perpendicular, then each end brought back
    // onto its own curve (a ray may stop short of it).
    const ZkGeVector3d u = a.direction();
    const ZkGeVector3d v = b.direction();
    const ZkGeVector3d w = a.pointOnLine() - b.pointOnLine();
    const double uv = u.dotProduct(v);
    const double denom = 1.0 - uv * uv; // both directions are unit length
    const double s = denom > 0.0 ? (uv * v.dotProduct(w) - u.dotProduct(w)) / denom : 0.0;
    onFirst = first.closestPointTo(a.evalPoint(s));
    onSecond = second.closestPointTo(onFirst);
    onFirst = first.closestPointTo(onSecond);
    return true;
}

} // namespace Kv
