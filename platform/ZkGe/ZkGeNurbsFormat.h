#pragma once

#include <string>

class ZkGeKnotVector;
class ZkGeNurbCurve2d;
class ZkGeNurbCurve3d;

// Text forms of the NURBS values, in the style of ZkGeFormat:
//   nurbs(degree, [knots], [(control point), ...], [weights])
// with "periodic [knots]" for a periodic curve's one period of knots, empty
// weights for a non-rational curve, and, when the curve has fit data,
//   ..., fit [(fit point), ...])  or  ..., fit [...], tangents ((start), (end)))
// where an end without a tangent shows a zero vector.
class ZkGeNurbsFormat {
public:
    static std::string toString(const ZkGeKnotVector& knots); // [k0, k1, ...]
    static std::string toString(const ZkGeNurbCurve3d& curve);
    static std::string toString(const ZkGeNurbCurve2d& curve);
};
