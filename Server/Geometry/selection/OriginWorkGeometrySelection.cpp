#include "Geometry/selection/OriginWorkGeometrySelection.h"

#include "Geometry/workgeometry/OriginWorkGeometry.h"
#include "Kv/Base/StringTable.h"

namespace Kv::Geometry {

StrongRefCreator<OriginWorkGeometrySelection>
OriginWorkGeometrySelection::make(const ObjectPath& path, StrongRef<OriginWorkGeometry>) {
    return StrongRefCreator<OriginWorkGeometrySelection>(
        StrongRef<OriginWorkGeometrySelection>(new OriginWorkGeometrySelection(path)));
}

OriginWorkGeometrySelection::OriginWorkGeometrySelection(const ObjectPath& path)
    : LogicalSelection(path) {}

StrongRef<OriginWorkGeometry> OriginWorkGeometrySelection::originWorkGeometry() const {
    return StrongRef<OriginWorkGeometry>(::Kv::queryInterface<OriginWorkGeometry>(validLeaf()));
}

std::wstring OriginWorkGeometrySelection::userName() const {
    return StringTable::getLocalizedString(L"KvGeometry", "OriginWorkGeometrySelectionId",
                                           L"Origin WorkGeometry");
}

void* OriginWorkGeometrySelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : LogicalSelection::queryInterface(id);
}

} // namespace Kv::Geometry
