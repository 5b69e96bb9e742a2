#include "Wyn/Graphics/LodGeometryNode.h"

#include <stdexcept>
#include <string>

namespace Wyn::Graphics {

LodGeometryNode::LodGeometryNode(int levelCount) {
    if (levelCount < 1)
        throw std::invalid_argument("a level-of-detail node needs at least one level, not " +
                                    std::to_string(levelCount));
    m_levels.resize(static_cast<size_t>(levelCount));
}

const LodGeometryNode::Level& LodGeometryNode::level(int level) const {
    if (level < 0 || level >= levelCount())
        throw std::out_of_range("level " + std::to_string(level) + " of a node with " +
                                std::to_string(levelCount()) + " levels");
    return m_levels[static_cast<size_t>(level)];
}

const Objects::Mesh& LodGeometryNode::mesh(int index) const {
    return level(index).mesh;
}

void LodGeometryNode::mesh(int index, const Objects::Mesh& mesh, unsigned parts) {
    level(index); // range check before anything changes
    Level& held = m_levels[static_cast<size_t>(index)];
    Objects::Mesh updated = held.mesh;
    updated.assign(mesh, parts);
    updated.validate();
    held.mesh = std::move(updated);
    held.currentParts |= parts & Objects::Mesh::kAllParts;
    if (index == 0)
        GeometryNode::mesh(held.mesh);
}

bool LodGeometryNode::needsMesh(unsigned parts, int index) const {
    parts &= Objects::Mesh::kAllParts;
    return (level(index).currentParts & parts) != parts;
}

void LodGeometryNode::invalidate() {
    for (Level& held : m_levels)
        held.currentParts = 0;
}

const Objects::Mesh& LodGeometryNode::displayMesh() const {
    for (const Level& held : m_levels)
        if (!held.mesh.isEmpty())
            return held.mesh;
    return m_levels.front().mesh;
}

} // namespace Wyn::Graphics
