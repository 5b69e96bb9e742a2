#include "Geometry/selection/SketchesSelection.h"

#include "Geometry/sketch3d/Sketches.h"
#include "Kv/Base/StringTable.h"

namespace Kv::Geometry {

StrongRefCreator<SketchesSelection> SketchesSelection::make(const ObjectPath& path,
                                                            StrongRef<Sketches>) {
    return StrongRefCreator<SketchesSelection>(
        StrongRef<SketchesSelection>(new SketchesSelection(path)));
}

SketchesSelection::SketchesSelection(const ObjectPath& path)
    : LogicalSelection(path) {}

StrongRef<Sketches> SketchesSelection::sketches() const {
    return StrongRef<Sketches>(::Kv::queryInterface<Sketches>(validLeaf()));
}

std::wstring SketchesSelection::userName() const {
    return StringTable::getLocalizedString(L"KvGeometry", "SketchesSelectionId", L"Sketches");
}

void* SketchesSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : LogicalSelection::queryInterface(id);
}

} // namespace Kv::Geometry
