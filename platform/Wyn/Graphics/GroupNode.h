#pragma once

#include "Wyn/Graphics/ARenderNode.h"

namespace Wyn::Graphics {

// A node that only gathers others, such as a sketch placed by its matrix.
class GroupNode : public ARenderNode {
public:
    // World type 1 is model space; the value is kept for the host.
    explicit GroupNode(int worldType = 1)
        : m_worldType(worldType) {}

    NodeKind kind() const override { return NodeKind::Group; }
    int worldType() const { return m_worldType; }

private:
    int m_worldType;
};

} // namespace Wyn::Graphics
