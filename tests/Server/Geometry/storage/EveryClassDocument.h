#pragma once

// A document that holds an entity of every concrete class of the add-in, in
// which every persisted member of every entity is away from the value a new
// entity of its class starts with, as far as the member can be.

#include "Kv/DataModel/Asset.h"

#include <memory>

namespace Kv::Geometry::StorageTests {

// One component in one segment with the add-in's collections and roots:
// a 3D sketch on a placed coordinate system with points, a line, an arc, an
// elliptic arc, a spline with tangent and curvature handles, a group (moved
// to the front), and a text with its four border lines; user, origin and
// legacy work geometry; a 2D drawing with points, a line, an arc, an elliptic
// arc, a spline and a group. Every drawable entity is hidden and drawn in its
// own colours, thickness and order; every curve is fixed and shows its comb.
std::unique_ptr<Asset> makeEveryClassDocument();

} // namespace Kv::Geometry::StorageTests
