#include "Geometry/selection/WorkPlaneSelection.h"

#include "Geometry/selection/MeasurableSurface.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Kv/Base/StringTable.h"

namespace Kv::Geometry {

StrongRefCreator<WorkPlaneSelection> WorkPlaneSelection::make(const ObjectPath& path,
                                                              StrongRef<WorkPlane>) {
    return StrongRefCreator<WorkPlaneSelection>(
        StrongRef<WorkPlaneSelection>(new WorkPlaneSelection(path)));
}

WorkPlaneSelection::WorkPlaneSelection(const ObjectPath& path)
    : Geometry3DSelection(path) {}

StrongRef<WorkPlane> WorkPlaneSelection::workPlane() const {
    return StrongRef<WorkPlane>(::Kv::queryInterface<WorkPlane>(geometry().get()));
}

std::wstring WorkPlaneSelection::userName() const {
    return StringTable::getLocalizedString(L"KvGeometry", "WorkPlaneSelectionId", L"WorkPlane");
}

bool WorkPlaneSelection::onProvidesPlane(ZkGePlane& plane) const {
    const StrongRef<WorkPlane> picked = workPlane();
    if (!picked)
        return false;
    plane = picked->plane();
    return true;
}

bool WorkPlaneSelection::onHitPoint(ZkGePoint3d& position) const {
    const StrongRef<WorkPlane> picked = workPlane();
    return picked && picked->modelHitPoint(*this, position);
}

Measurable* WorkPlaneSelection::onMakeMeasurable() {
    const StrongRef<WorkPlane> picked = workPlane();
    return picked ? new MeasurableSurface(StrongRef<LogicalSelection>(this), &picked->plane())
                  : nullptr;
}

void* WorkPlaneSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry3DSelection::queryInterface(id);
}

} // namespace Kv::Geometry
