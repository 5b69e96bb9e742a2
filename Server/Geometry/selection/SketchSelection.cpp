#include "Geometry/selection/SketchSelection.h"

#include "Geometry/sketch3d/Sketch.h"
#include "Kv/Base/StringTable.h"

namespace Kv::Geometry {

StrongRefCreator<SketchSelection> SketchSelection::make(const ObjectPath& path, StrongRef<Sketch>) {
    return StrongRefCreator<SketchSelection>(StrongRef<SketchSelection>(new SketchSelection(path)));
}

SketchSelection::SketchSelection(const ObjectPath& path)
    : LogicalSelection(path) {}

StrongRef<Sketch> SketchSelection::sketch() const {
    return StrongRef<Sketch>(::Kv::queryInterface<Sketch>(validLeaf()));
}

std::wstring SketchSelection::userName() const {
    return StringTable::getLocalizedString(L"KvGeometry", "SketchSelectionId", L"Sketch");
}

void* SketchSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : LogicalSelection::queryInterface(id);
}

} // namespace Kv::Geometry
