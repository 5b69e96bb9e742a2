#include "Geometry/selection/Geometry3DSelection.h"

#include "Geometry/sketch3d/GeometryBase3D.h"

namespace Kv::Geometry {

StrongRefCreator<Geometry3DSelection> Geometry3DSelection::make(const ObjectPath& path,
                                                                StrongRef<GeometryBase3D>) {
    return StrongRefCreator<Geometry3DSelection>(
        StrongRef<Geometry3DSelection>(new Geometry3DSelection(path)));
}

Geometry3DSelection::Geometry3DSelection(const ObjectPath& path)
    : LogicalSelection(path) {}

StrongRef<GeometryBase3D> Geometry3DSelection::geometry() const {
    return StrongRef<GeometryBase3D>(::Kv::queryInterface<GeometryBase3D>(validLeaf()));
}

void* Geometry3DSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : LogicalSelection::queryInterface(id);
}

} // namespace Kv::Geometry
