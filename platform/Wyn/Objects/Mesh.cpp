#include "Wyn/Objects/Mesh.h"

#include <numeric>
#include <stdexcept>
#include <string>

namespace Wyn::Objects {
namespace {

const char* typeName(PrimitiveType type) {
    switch (type) {
    case PrimitiveType::Points:
        return "point list";
    case PrimitiveType::Lines:
        return "segment list";
    case PrimitiveType::LineStrip:
        return "line strip";
    case PrimitiveType::Triangles:
        return "triangle list";
    case PrimitiveType::TriangleStrip:
        return "triangle strip";
    }
    return "unknown primitive";
}

} // namespace

Mesh::Mesh(PrimitiveType type, std::vector<Point3f> positions, std::vector<Point3f> normals,
           std::vector<TexCoord> texCoords, std::vector<unsigned> indices)
    : m_type(type)
    , m_positions(std::move(positions))
    , m_normals(std::move(normals))
    , m_texCoords(std::move(texCoords))
    , m_indices(std::move(indices)) {}

std::vector<unsigned> Mesh::vertexOrder() const {
    if (!m_indices.empty())
        return m_indices;
    std::vector<unsigned> order(m_positions.size());
    std::iota(order.begin(), order.end(), 0u);
    return order;
}

BBox Mesh::bounds() const {
    BBox box;
    for (const Point3f& p : m_positions)
        box.extend(ZkGePoint3d(p.x, p.y, p.z));
    return box;
}

void Mesh::validate() const {
    const int type = static_cast<int>(m_type);
    if (type < static_cast<int>(PrimitiveType::Points) ||
        type > static_cast<int>(PrimitiveType::TriangleStrip))
        throw std::invalid_argument("mesh primitive type " + std::to_string(type) +
                                    " is not one of 1 (points) to 5 (triangle strip)");
    const size_t n = m_positions.size();
    if (!m_normals.empty() && m_normals.size() != n)
        throw std::invalid_argument("mesh has " + std::to_string(m_normals.size()) +
                                    " normals for " + std::to_string(n) + " positions");
    if (!m_texCoords.empty() && m_texCoords.size() != n)
        throw std::invalid_argument("mesh has " + std::to_string(m_texCoords.size()) +
                                    " texture coordinates for " + std::to_string(n) + " positions");
    for (size_t i = 0; i < m_indices.size(); ++i)
        if (m_indices[i] >= n)
            throw std::invalid_argument("mesh index " + std::to_string(i) + " is " +
                                        std::to_string(m_indices[i]) + " but there are only " +
                                        std::to_string(n) + " positions");
    const size_t count = m_indices.empty() ? n : m_indices.size();
    if (count == 0)
        return; // an empty mesh draws nothing and is fine
    bool whole = true;
    switch (m_type) {
    case PrimitiveType::Points:
        break;
    case PrimitiveType::Lines:
        whole = count % 2 == 0;
        break;
    case PrimitiveType::LineStrip:
        whole = count >= 2;
        break;
    case PrimitiveType::Triangles:
        whole = count % 3 == 0;
        break;
    case PrimitiveType::TriangleStrip:
        whole = count >= 3;
        break;
    }
    if (!whole)
        throw std::invalid_argument(std::to_string(count) + " vertices do not make a whole " +
                                    typeName(m_type));
}

void Mesh::assign(const Mesh& other, unsigned parts) {
    if (parts & kPositions)
        m_positions = other.m_positions;
    if (parts & kNormals)
        m_normals = other.m_normals;
    if (parts & kTexCoords)
        m_texCoords = other.m_texCoords;
    if (parts & kIndices) {
        m_indices = other.m_indices;
        m_type = other.m_type;
    }
}

bool Mesh::operator==(const Mesh& o) const {
    return m_type == o.m_type && m_positions == o.m_positions && m_normals == o.m_normals &&
           m_texCoords == o.m_texCoords && m_indices == o.m_indices;
}

} // namespace Wyn::Objects
