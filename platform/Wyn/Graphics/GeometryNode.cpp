#include "Wyn/Graphics/GeometryNode.h"

namespace Wyn::Graphics {

void GeometryNode::mesh(const Objects::Mesh& mesh, unsigned parts) {
    Objects::Mesh updated = m_mesh;
    updated.assign(mesh, parts);
    updated.validate();
    m_mesh = std::move(updated);
}

} // namespace Wyn::Graphics
