#include "Geometry/selection/WorkPlaneExtentLineSelection.h"

#include "Geometry/workgeometry/WorkPlane.h"
#include "Kv/Base/StringTable.h"

namespace Kv::Geometry {

StrongRefCreator<WorkPlaneExtentLineSelection>
WorkPlaneExtentLineSelection::make(const ObjectPath& path, StrongRef<WorkPlane>) {
    return StrongRefCreator<WorkPlaneExtentLineSelection>(
        StrongRef<WorkPlaneExtentLineSelection>(new WorkPlaneExtentLineSelection(path)));
}

WorkPlaneExtentLineSelection::WorkPlaneExtentLineSelection(const ObjectPath& path)
    : Geometry3DSelection(path) {}

StrongRef<WorkPlane> WorkPlaneExtentLineSelection::workPlane() const {
    return StrongRef<WorkPlane>(::Kv::queryInterface<WorkPlane>(geometry().get()));
}

ZkGeLine3d WorkPlaneExtentLineSelection::extentLine() const {
    const StrongRef<WorkPlane> plane = workPlane();
    if (!plane)
        return ZkGeLine3d();
    ZkGePoint3d lowerLeft, upperLeft, lowerRight, upperRight;
    plane->getAllExtents(lowerLeft, upperLeft, lowerRight, upperRight);
    switch (path().qualifier()) {
    case kLeftEdge:
        return ZkGeLine3d(lowerLeft, upperLeft - lowerLeft);
    case kRightEdge:
        return ZkGeLine3d(lowerRight, upperRight - lowerRight);
    case kBottomEdge:
        return ZkGeLine3d(lowerLeft, lowerRight - lowerLeft);
    case kTopEdge:
        return ZkGeLine3d(upperLeft, upperRight - upperLeft);
    default:
        return ZkGeLine3d();
    }
}

std::wstring WorkPlaneExtentLineSelection::userName() const {
    return StringTable::getLocalizedString(L"KvGeometry", "WorkPlaneExtentLineSelectionId",
                                           L"WorkPlane Extent Line");
}

void* WorkPlaneExtentLineSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry3DSelection::queryInterface(id);
}

} // namespace Kv::Geometry
