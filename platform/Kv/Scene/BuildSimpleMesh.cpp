#include "Kv/Scene/BuildSimpleMesh.h"

#include <limits>

namespace Kv::Scene {
namespace {

Wyn::Objects::Point3f toWyn(const Point3f& p) {
    return Wyn::Objects::Point3f(p.x, p.y, p.z);
}

} // namespace

Wyn::Objects::Mesh BuildSimpleMesh(int primitiveType, const std::vector<Point3f>& positions,
                                   const std::vector<Point3f>& normals,
                                   const std::vector<TexCoord>& texCoords,
                                   const std::vector<unsigned>& indices, bool validate,
                                   bool compact) {
    std::vector<Wyn::Objects::Point3f> p, n;
    p.reserve(positions.size());
    for (const Point3f& v : positions)
        p.push_back(toWyn(v));
    n.reserve(normals.size());
    for (const Point3f& v : normals)
        n.push_back(toWyn(v));
    Wyn::Objects::Mesh mesh(static_cast<Wyn::Objects::PrimitiveType>(primitiveType), std::move(p),
                            std::move(n), texCoords, indices);
    if (validate)
        mesh.validate();
    const bool matching = (normals.empty() || normals.size() == positions.size()) &&
                          (texCoords.empty() || texCoords.size() == positions.size());
    if (!compact || indices.empty() || !matching)
        return mesh;

    // Renumber the vertices in the order the indices first use them.
    constexpr unsigned kUnused = std::numeric_limits<unsigned>::max();
    std::vector<unsigned> renumbered(positions.size(), kUnused);
    std::vector<unsigned> order;
    std::vector<unsigned> newIndices;
    newIndices.reserve(indices.size());
    for (unsigned i : indices) {
        if (i >= positions.size())
            return mesh; // not validated and not consistent: leave it as given
        if (renumbered[i] == kUnused) {
            renumbered[i] = static_cast<unsigned>(order.size());
            order.push_back(i);
        }
        newIndices.push_back(renumbered[i]);
    }
    if (order.size() == positions.size())
        return mesh;
    std::vector<Wyn::Objects::Point3f> cp, cn;
    std::vector<TexCoord> ct;
    for (unsigned i : order) {
        cp.push_back(toWyn(positions[i]));
        if (!normals.empty())
            cn.push_back(toWyn(normals[i]));
        if (!texCoords.empty())
            ct.push_back(texCoords[i]);
    }
    return Wyn::Objects::Mesh(mesh.primitiveType(), std::move(cp), std::move(cn), std::move(ct),
                              std::move(newIndices));
}

} // namespace Kv::Scene
