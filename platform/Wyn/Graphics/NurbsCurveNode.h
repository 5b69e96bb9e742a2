#pragma once

#include "Wyn/Graphics/CurveNode.h"

namespace Wyn::Graphics {

// A NURBS curve, drawn from samples of the kernel curve.
class NurbsCurveNode : public CurveNode {
public:
    NodeKind kind() const override { return NodeKind::NurbsCurve; }
};

} // namespace Wyn::Graphics
