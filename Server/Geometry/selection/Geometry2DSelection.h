#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/Selection/LogicalSelection.h"

namespace Kv::Geometry {

class GeometryBase2D;

// A picked item of a 2D drawing (a curve, a point or a group), named by its
// path alone like the 3D selections.
class Geometry2DSelection : public LogicalSelection {
public:
    // The item is only checked against the path: the leaf is what counts.
    static StrongRefCreator<Geometry2DSelection> make(const ObjectPath& path,
                                                      StrongRef<GeometryBase2D> item);

    // The path's leaf as a 2D item; null when the leaf is something else or
    // no longer lives in its document.
    StrongRef<GeometryBase2D> geometry() const;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Geometry2DSelection")

protected:
    explicit Geometry2DSelection(const ObjectPath& path);
};

} // namespace Kv::Geometry
