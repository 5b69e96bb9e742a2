#pragma once

#include "Wyn/Objects/BBox.h"
#include "Wyn/Objects/Point3f.h"
#include "Wyn/Objects/TexCoord.h"

#include <vector>

namespace Wyn::Objects {

// How a mesh's vertices (in index order) form primitives.
enum class PrimitiveType : int {
    Points = 1,
    Lines = 2,         // independent segments, one per pair
    LineStrip = 3,     // one connected strip
    Triangles = 4,     // independent triangles, one per triple
    TriangleStrip = 5, // each vertex after the second closes a triangle
};

// Vertex data of a geometry node: positions with optional normals, texture
// coordinates and indices. Without indices the vertices are used in order.
class Mesh {
public:
    // The parts a geometry update replaces, combined as flags.
    enum Part : unsigned {
        kPositions = 1,
        kNormals = 2,
        kTexCoords = 4,
        kIndices = 8, // indices and primitive type
        kAllParts = 15,
    };

    Mesh() = default;
    Mesh(PrimitiveType type, std::vector<Point3f> positions, std::vector<Point3f> normals = {},
         std::vector<TexCoord> texCoords = {}, std::vector<unsigned> indices = {});

    PrimitiveType primitiveType() const { return m_type; }
    void primitiveType(PrimitiveType type) { m_type = type; }
    const std::vector<Point3f>& positions() const { return m_positions; }
    const std::vector<Point3f>& normals() const { return m_normals; }
    const std::vector<TexCoord>& texCoords() const { return m_texCoords; }
    const std::vector<unsigned>& indices() const { return m_indices; }

    bool isEmpty() const { return m_positions.empty(); }
    // The vertex sequence the primitives are read from: the indices, or
    // every vertex in order when there are none.
    std::vector<unsigned> vertexOrder() const;
    BBox bounds() const;

    // Throws std::invalid_argument describing the first inconsistency: a
    // primitive type out of range, normals or texture coordinates that do not
    // match the positions, an index past the last vertex, or a vertex count
    // that does not make whole primitives.
    void validate() const;

    // Takes over the parts of `other` named by `parts`, keeping the rest.
    void assign(const Mesh& other, unsigned parts);

    bool operator==(const Mesh& o) const;
    bool operator!=(const Mesh& o) const { return !(*this == o); }

private:
    PrimitiveType m_type = PrimitiveType::Triangles;
    std::vector<Point3f> m_positions;
    std::vector<Point3f> m_normals;
    std::vector<TexCoord> m_texCoords;
    std::vector<unsigned> m_indices;
};

} // namespace Wyn::Objects
