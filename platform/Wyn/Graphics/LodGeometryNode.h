#pragma once

#include "Wyn/Graphics/GeometryNode.h"

#include <vector>

namespace Wyn::Graphics {

// A geometry node with a mesh per level of detail, level 0 the finest. Each
// level remembers which mesh parts are current, so the host rebuilds a level
// only when it was invalidated.
class LodGeometryNode : public GeometryNode {
public:
    // Throws std::invalid_argument for fewer than one level.
    explicit LodGeometryNode(int levelCount = 1);

    NodeKind kind() const override { return NodeKind::LodGeometry; }

    int levelCount() const { return static_cast<int>(m_levels.size()); }
    using GeometryNode::mesh;
    // Sets level 0.
    void mesh(const Objects::Mesh& mesh, unsigned parts = Objects::Mesh::kAllParts) override {
        this->mesh(0, mesh, parts);
    }
    const Objects::Mesh& mesh(int level) const;
    // As GeometryNode::mesh, for one level; marks those parts current.
    void mesh(int level, const Objects::Mesh& mesh, unsigned parts = Objects::Mesh::kAllParts);
    // Whether any of `parts` of the level is missing or out of date.
    bool needsMesh(unsigned parts = Objects::Mesh::kAllParts, int level = 0) const;
    // Marks every level out of date, as a change of the geometry does.
    void invalidate();

    // The finest level that has a mesh.
    const Objects::Mesh& displayMesh() const override;

private:
    struct Level {
        Objects::Mesh mesh;
        unsigned currentParts = 0;
    };
    const Level& level(int level) const;

    std::vector<Level> m_levels;
};

} // namespace Wyn::Graphics
