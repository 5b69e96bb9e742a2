#pragma once

#include "Wyn/Graphics/ARenderNode.h"
#include "Wyn/Objects/Mesh.h"

namespace Wyn::Graphics {

// A node drawn from a mesh: points, segments, strips or triangles.
class GeometryNode : public ARenderNode {
public:
    NodeKind kind() const override { return NodeKind::Geometry; }

    const Objects::Mesh& mesh() const { return m_mesh; }
    // Takes over the parts of `mesh` named by `parts` (Mesh::Part flags).
    // Throws std::invalid_argument, leaving the node as it was, when the
    // result would not be a consistent mesh.
    virtual void mesh(const Objects::Mesh& mesh, unsigned parts = Objects::Mesh::kAllParts);

    // The mesh the renderer draws.
    virtual const Objects::Mesh& displayMesh() const { return m_mesh; }

private:
    Objects::Mesh m_mesh;
};

} // namespace Wyn::Graphics
