#pragma once

#include "ZkGeNurbCurve3d.h"
#include "ZkGePoint3d.h"
#include "ZkGeVector3d.h"

#include <map>
#include <vector>

namespace Kv::Geometry {

// Fits the curve of a fit-point spline: a non-rational cubic B-spline through
// every fit point in order, parametrised by chord length in model units (so a
// unit tangent means unit speed, close to arc length).
//  - Open: clamped at the first and last fit point, with no end condition of
//    its own: an end is free unless a handle sits there.
//  - Closed: periodic, so position, first and second derivative agree across
//    the seam (C2 everywhere); the period starts at the first fit point.
//  - A tangent at fit point i makes the first derivative there equal to it,
//    in direction and length.
//  - A curvature K at fit point i makes the curvature vector there equal to
//    K. Curvature lies across the tangent, so only the part of K square to
//    the tangent can be met: the tangent is the one given at that point or,
//    without one, the tangent the fit has there without this curvature,
//    turned square to K and kept at its speed; the second derivative is then
//    K |T|^2.
// Knots come from averaging the parameters, a handle repeating its point's
// parameter, so every knot is simple and the curve C2; the system is banded
// and the fit takes time linear in the number of points and handles.
class SplineSolver {
public:
    // A closed spline's points do not repeat the first; index points.size()
    // then names the first point again.
    SplineSolver(std::vector<ZkGePoint3d> points, bool closed);

    // False for an index that names no fit point. A zero tangent leaves the
    // point free; a second one at the same index replaces the first.
    bool tangent(int index, const ZkGeVector3d& tangent);
    bool curvature(int index, const ZkGeVector3d& curvature);

    // The fitted curve, carrying the fit points (and the end tangents of an
    // open spline) as its fit data. With fewer than two points there is no
    // curve, only the fit data. False, leaving `curve` as it was, when no
    // cubic meets the conditions.
    bool solve(ZkGeNurbCurve3d& curve) const;

private:
    using Derivatives = std::vector<ZkGeNurbCurve3d::FitDerivative>;

    // The index within 0 .. points - 1, or -1.
    int normalized(int index) const;
    bool fit(const Derivatives& derivatives, ZkGeNurbCurve3d& curve) const;

    std::vector<ZkGePoint3d> m_points;
    bool m_closed;
    std::map<int, ZkGeVector3d> m_tangents;
    std::map<int, ZkGeVector3d> m_curvatures;
};

} // namespace Kv::Geometry
