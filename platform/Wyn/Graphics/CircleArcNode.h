#pragma once

#include "Wyn/Graphics/CurveNode.h"

namespace Wyn::Graphics {

// A circle or circular arc, drawn from samples of the kernel arc.
class CircleArcNode : public CurveNode {
public:
    NodeKind kind() const override { return NodeKind::CircleArc; }
};

} // namespace Wyn::Graphics
