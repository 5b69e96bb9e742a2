#pragma once

#include "Wyn/Graphics/CurveNode.h"

namespace Wyn::Graphics {

// An ellipse or elliptic arc, drawn from samples of the kernel curve.
class EllipseArcNode : public CurveNode {
public:
    NodeKind kind() const override { return NodeKind::EllipseArc; }
};

} // namespace Wyn::Graphics
