#include "Geometry/selection/WorkAxisExtentSelection.h"

#include "Kv/Base/StringTable.h"

namespace Kv::Geometry {

StrongRefCreator<WorkAxisExtentSelection> WorkAxisExtentSelection::make(const ObjectPath& path,
                                                                        StrongRef<WorkAxis>) {
    return StrongRefCreator<WorkAxisExtentSelection>(
        StrongRef<WorkAxisExtentSelection>(new WorkAxisExtentSelection(path)));
}

WorkAxisExtentSelection::WorkAxisExtentSelection(const ObjectPath& path)
    : Geometry3DSelection(path) {}

StrongRef<WorkAxis> WorkAxisExtentSelection::workAxis() const {
    return StrongRef<WorkAxis>(::Kv::queryInterface<WorkAxis>(geometry().get()));
}

ZkGePoint3d WorkAxisExtentSelection::extentPoint() const {
    const StrongRef<WorkAxis> axis = workAxis();
    if (!axis)
        return ZkGePoint3d::kOrigin;
    ZkGePoint3d lower, upper;
    axis->getExtents(lower, upper);
    switch (path().qualifier()) {
    case kLowerEnd:
        return lower;
    case kUpperEnd:
        return upper;
    default:
        return ZkGePoint3d::kOrigin;
    }
}

WorkAxisExtentType WorkAxisExtentSelection::extentEnd() const {
    return WorkAxisExtentType(path().qualifier());
}

std::wstring WorkAxisExtentSelection::userName() const {
    return StringTable::getLocalizedString(L"KvGeometry", "WorkAxisExtentSelectionId",
                                           L"WorkAxis Extent");
}

void* WorkAxisExtentSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry3DSelection::queryInterface(id);
}

} // namespace Kv::Geometry
