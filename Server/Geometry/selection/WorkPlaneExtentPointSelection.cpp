#include "Geometry/selection/WorkPlaneExtentPointSelection.h"

#include "Geometry/workgeometry/WorkPlane.h"
#include "Kv/Base/StringTable.h"

namespace Kv::Geometry {

StrongRefCreator<WorkPlaneExtentPointSelection>
WorkPlaneExtentPointSelection::make(const ObjectPath& path, StrongRef<WorkPlane>) {
    return StrongRefCreator<WorkPlaneExtentPointSelection>(
        StrongRef<WorkPlaneExtentPointSelection>(new WorkPlaneExtentPointSelection(path)));
}

WorkPlaneExtentPointSelection::WorkPlaneExtentPointSelection(const ObjectPath& path)
    : Geometry3DSelection(path) {}

StrongRef<WorkPlane> WorkPlaneExtentPointSelection::workPlane() const {
    return StrongRef<WorkPlane>(::Kv::queryInterface<WorkPlane>(geometry().get()));
}

ZkGePoint3d WorkPlaneExtentPointSelection::extentPoint() const {
    const StrongRef<WorkPlane> plane = workPlane();
    if (!plane)
        return ZkGePoint3d::kOrigin;
    ZkGePoint3d lowerLeft, upperLeft, lowerRight, upperRight;
    plane->getAllExtents(lowerLeft, upperLeft, lowerRight, upperRight);
    switch (path().qualifier()) {
    case kLowerLeftCorner:
        return lowerLeft;
    case kLowerRightCorner:
        return lowerRight;
    case kUpperLeftCorner:
        return upperLeft;
    case kUpperRightCorner:
        return upperRight;
    default:
        return ZkGePoint3d::kOrigin;
    }
}

std::wstring WorkPlaneExtentPointSelection::userName() const {
    return StringTable::getLocalizedString(L"KvGeometry", "WorkPlaneExtentPointSelection",
                                           L"WorkPlane Extent Point");
}

void* WorkPlaneExtentPointSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry3DSelection::queryInterface(id);
}

} // namespace Kv::Geometry
