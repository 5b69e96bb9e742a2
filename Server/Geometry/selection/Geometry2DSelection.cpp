#include "Geometry/selection/Geometry2DSelection.h"

#include "Geometry/sketch2d/GeometryBase2D.h"

namespace Kv::Geometry {

StrongRefCreator<Geometry2DSelection> Geometry2DSelection::make(const ObjectPath& path,
                                                                StrongRef<GeometryBase2D>) {
    return StrongRefCreator<Geometry2DSelection>(
        StrongRef<Geometry2DSelection>(new Geometry2DSelection(path)));
}

Geometry2DSelection::Geometry2DSelection(const ObjectPath& path)
    : LogicalSelection(path) {}

StrongRef<GeometryBase2D> Geometry2DSelection::geometry() const {
    return StrongRef<GeometryBase2D>(::Kv::queryInterface<GeometryBase2D>(validLeaf()));
}

void* Geometry2DSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : LogicalSelection::queryInterface(id);
}

} // namespace Kv::Geometry
