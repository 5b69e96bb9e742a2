#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/Selection/LogicalSelection.h"

namespace Kv::Geometry {

class GeometryBase3D;

// A picked 3D entity, named by its path alone: the selection keeps no
// reference of its own and finds the entity again at the path's leaf, so it
// follows the entity through undo and redo.
class Geometry3DSelection : public LogicalSelection {
public:
    // The entity is only checked against the path: the leaf is what counts.
    static StrongRefCreator<Geometry3DSelection> make(const ObjectPath& path,
                                                      StrongRef<GeometryBase3D> entity);

    // The path's leaf as 3D geometry; null when the leaf is something else or
    // no longer lives in its document.
    StrongRef<GeometryBase3D> geometry() const;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Geometry3DSelection")

protected:
    explicit Geometry3DSelection(const ObjectPath& path);
};

} // namespace Kv::Geometry
