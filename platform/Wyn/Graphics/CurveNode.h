#pragma once

#include "Wyn/Graphics/ARenderNode.h"

#include "ZkGePoint3d.h"

#include <vector>

namespace Wyn::Graphics {

// A node drawn as one connected line through its points. Polylines keep the
// points they are given; arcs, ellipses and NURBS curves keep the samples the
// host takes of the kernel curve, so the graphics system needs no knowledge
// of curve kinds.
class CurveNode : public ARenderNode {
public:
    const std::vector<ZkGePoint3d>& points() const { return m_points; }
    void points(std::vector<ZkGePoint3d> points) { m_points = std::move(points); }

private:
    std::vector<ZkGePoint3d> m_points;
};

} // namespace Wyn::Graphics
