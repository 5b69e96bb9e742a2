#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/Selection/LogicalSelection.h"

namespace Kv::Geometry {

class OriginWorkGeometry;

// A component's origin planes, axes and point, selected as a whole.
class OriginWorkGeometrySelection : public LogicalSelection {
public:
    // The collection is only checked against the path: the leaf is what counts.
    static StrongRefCreator<OriginWorkGeometrySelection>
    make(const ObjectPath& path, StrongRef<OriginWorkGeometry> collection);

    // The path's leaf as the collection; null when it is something else or no
    // longer lives in its document.
    StrongRef<OriginWorkGeometry> originWorkGeometry() const;

    std::wstring userName() const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::OriginWorkGeometrySelection")

protected:
    explicit OriginWorkGeometrySelection(const ObjectPath& path);
};

} // namespace Kv::Geometry
