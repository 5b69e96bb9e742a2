#pragma once

#include "Wyn/Graphics/CurveNode.h"

namespace Wyn::Graphics {

// Straight pieces through given points, such as a sketch line.
class PolyLineNode : public CurveNode {
public:
    NodeKind kind() const override { return NodeKind::PolyLine; }
};

} // namespace Wyn::Graphics
