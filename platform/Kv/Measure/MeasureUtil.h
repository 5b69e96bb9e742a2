#pragma once

#include "Kv/Measure/MeasureMgr.h"

class ZkGeCurve3d;
class ZkGeLine3d;
class ZkGePlanarEnt;
class ZkGePoint3d;

namespace Kv {

// The geometry behind measurements: lines of straight curves, closest
// points, angles and distances between curves and planes. Angles are in
// radians; points of results are those the value was taken between, the
// first on the first item. Everything compares under the kernel's global
// tolerance. A false answer leaves the outputs as they were.
class MeasureUtil {
public:
    // The infinite line a straight curve runs along; false for any other
    // curve and for a segment shrunk to a point.
    static bool getLine(const ZkGeCurve3d& curve, ZkGeLine3d& line);

    // The angle at `vertex` between the directions to `first` and to `last`,
    // in [0, pi]; false when either coincides with the vertex.
    static bool getPointPointPointAngle(const ZkGePoint3d& first, const ZkGePoint3d& vertex,
                                        const ZkGePoint3d& last, double& angle);

    // The angle between two straight curves, in [0, pi]. Where the lines
    // cross, each direction is taken from the crossing towards its hit point,
    // so that the angle is the one of the corner that was picked; otherwise
    // the curves' own directions count. The points are the hit points'
    // feet on the lines.
    static bool getCurveCurveAngle(const ZkGeCurve3d& first, const ZkGePoint3d& firstHit,
                                   const ZkGeCurve3d& second, const ZkGePoint3d& secondHit,
                                   MeasureMgr::MeasureResult& result);

    // The angle between two planes, in [0, pi/2]; the points are the hit
    // points' feet on the planes.
    static bool getSurfaceSurfaceAngle(const ZkGePlanarEnt& first, const ZkGePoint3d& firstHit,
                                       const ZkGePlanarEnt& second, const ZkGePoint3d& secondHit,
                                       MeasureMgr::MeasureResult& result);

    // The angle between a straight curve and a plane, in [0, pi/2].
    static bool getCurveSurfaceAngle(const ZkGeCurve3d& curve, const ZkGePoint3d& curveHit,
                                     const ZkGePlanarEnt& surface, const ZkGePoint3d& surfaceHit,
                                     MeasureMgr::MeasureResult& result);

    // The least distance between a curve and a plane, 0 where the curve
    // reaches the plane; first point on the curve, second on the plane.
    // False for an unbounded curve that is not straight.
    static bool getCurvePlaneDistance(const ZkGeCurve3d& curve, const ZkGePlanarEnt& plane,
                                      MeasureMgr::MeasureResult& result);

    // The distance between two planes. Parallel planes give their gap; other
    // planes meet, which gives 0 unless `parallelOnly`, when it is refused.
    static bool getPlanePlaneDistance(const ZkGePlanarEnt& first, const ZkGePlanarEnt& second,
                                      MeasureMgr::MeasureResult& result, bool parallelOnly);

    // The points of two curves nearest each other; false when neither is
    // bounded and they are not both straight.
    static bool getClosestPoints(const ZkGeCurve3d& first, const ZkGeCurve3d& second,
                                 ZkGePoint3d& onFirst, ZkGePoint3d& onSecond);
};

} // namespace Kv
