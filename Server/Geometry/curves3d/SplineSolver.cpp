#include "Geometry/curves3d/SplineSolver.h"

#include "ZkArray.h"

#include <utility>

namespace Kv::Geometry {
namespace {

// The part of `v` square to the unit vector `axis`.
ZkGeVector3d across(const ZkGeVector3d& v, const ZkGeVector3d& axis) {
    return v - axis * v.dotProduct(axis);
}

} // namespace

SplineSolver::SplineSolver(std::vector<ZkGePoint3d> points, bool closed)
    : m_points(std::move(points))
    , m_closed(closed) {}

int SplineSolver::normalized(int index) const {
    const int count = static_cast<int>(m_points.size());
    if (m_closed && index == count)
        return 0;
    return index >= 0 && index < count ? index : -1;
}

bool SplineSolver::tangent(int index, const ZkGeVector3d& tangent) {
    const int at = normalized(index);
    if (at < 0)
        return false;
    m_tangents[at] = tangent;
    return true;
}

bool SplineSolver::curvature(int index, const ZkGeVector3d& curvature) {
    const int at = normalized(index);
    if (at < 0)
        return false;
    m_curvatures[at] = curvature;
    return true;
}

bool SplineSolver::fit(const Derivatives& derivatives, ZkGeNurbCurve3d& curve) const {
    ZkGeNurbCurve3d fitted;
    if (!fitted.setFitData(ZkArray<ZkGePoint3d>(m_points), derivatives, m_closed))
        return false;
    curve = std::move(fitted);
    return true;
}

bool SplineSolver::solve(ZkGeNurbCurve3d& curve) const {
    if (m_points.size() < 2) {
        curve = ZkGeNurbCurve3d(ZkArray<ZkGePoint3d>(m_points));
        return true;
    }
    // First the conditions that need no fit to be known: the tangents, and
    // the curvatures where a tangent fixes the direction they lie across.
    Derivatives derivatives;
    for (const auto& [index, tangent] : m_tangents) {
        if (tangent.isZeroLength())
            continue;
        derivatives.push_back({index, 1, tangent});
        const auto curvature = m_curvatures.find(index);
        if (curvature != m_curvatures.end())
            derivatives.push_back(
                {index, 2, across(curvature->second, tangent.normal()) * tangent.lengthSqrd()});
    }
    // Curvatures without a tangent take theirs from a fit without them.
    std::vector<std::pair<int, ZkGeVector3d>> free;
    for (const auto& [index, curvature] : m_curvatures) {
        const auto tangent = m_tangents.find(index);
        if (tangent == m_tangents.end() || tangent->second.isZeroLength())
            free.emplace_back(index, curvature);
    }
    if (!free.empty()) {
        ZkGeNurbCurve3d first;
        if (!fit(derivatives, first))
            return false;
        const std::vector<double> t =
            ZkGeKnotVector::chordLengthParams(ZkArray<ZkGePoint3d>(m_points));
        std::vector<ZkGeVector3d> d;
        for (const auto& [index, curvature] : free) {
            first.evalPoint(t[static_cast<size_t>(index)], 1, d);
            ZkGeVector3d direction = d[0];
            if (!curvature.isZeroLength()) {
                const ZkGeVector3d k = curvature.normal();
                direction = across(d[0], k);
                if (direction.isZeroLength())
                    direction = k.perpVector();
            }
            const ZkGeVector3d tangent = direction.normal() * d[0].length();
            derivatives.push_back({index, 1, tangent});
            derivatives.push_back({index, 2, curvature * tangent.lengthSqrd()});
        }
    }
    return fit(derivatives, curve);
}

} // namespace Kv::Geometry
