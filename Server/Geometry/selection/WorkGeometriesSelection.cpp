#include "Geometry/selection/WorkGeometriesSelection.h"

#include "Geometry/workgeometry/WorkGeometries.h"
#include "Kv/Base/StringTable.h"

namespace Kv::Geometry {

StrongRefCreator<WorkGeometriesSelection> WorkGeometriesSelection::make(const ObjectPath& path,
                                                                        StrongRef<WorkGeometries>) {
    return StrongRefCreator<WorkGeometriesSelection>(
        StrongRef<WorkGeometriesSelection>(new WorkGeometriesSelection(path)));
}

WorkGeometriesSelection::WorkGeometriesSelection(const ObjectPath& path)
    : LogicalSelection(path) {}

StrongRef<WorkGeometries> WorkGeometriesSelection::workGeometries() const {
    return StrongRef<WorkGeometries>(::Kv::queryInterface<WorkGeometries>(validLeaf()));
}

std::wstring WorkGeometriesSelection::userName() const {
    return StringTable::getLocalizedString(L"KvGeometry", "WorkGeometriesSelectionId",
                                           L"Construction Geometries");
}

void* WorkGeometriesSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : LogicalSelection::queryInterface(id);
}

} // namespace Kv::Geometry
