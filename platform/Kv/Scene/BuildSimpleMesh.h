#pragma once

#include "Kv/Base/Point3f.h"
#include "Kv/Scene/TexCoord.h"
#include "Wyn/Objects/Mesh.h"

#include <vector>

namespace Kv::Scene {

// Builds the mesh a geometry node takes from plain vertex lists. The
// primitive type is 1 (points), 2 (independent segments), 3 (a line strip),
// 4 (a triangle list) or 5 (a triangle strip). Normals and texture
// coordinates are left out or given per position; without indices the
// vertices are used in order.
//
// With `validate` an inconsistent mesh (wrong type, lists of different
// lengths, an index past the last vertex, a count that does not make whole
// primitives) throws std::invalid_argument saying what is wrong. With
// `compact` vertices that no index uses are dropped and the indices renumbered.
Wyn::Objects::Mesh BuildSimpleMesh(int primitiveType, const std::vector<Point3f>& positions,
                                   const std::vector<Point3f>& normals = {},
                                   const std::vector<TexCoord>& texCoords = {},
                                   const std::vector<unsigned>& indices = {}, bool validate = true,
                                   bool compact = true);

} // namespace Kv::Scene
