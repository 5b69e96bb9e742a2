#include "Geometry/selection/WorkPointSelection.h"

#include "Geometry/selection/MeasurablePoint.h"
#include "Geometry/workgeometry/WorkPoint.h"
#include "Kv/Base/StringTable.h"

namespace Kv::Geometry {

StrongRefCreator<WorkPointSelection> WorkPointSelection::make(const ObjectPath& path,
                                                              StrongRef<WorkPoint>) {
    return StrongRefCreator<WorkPointSelection>(
        StrongRef<WorkPointSelection>(new WorkPointSelection(path)));
}

WorkPointSelection::WorkPointSelection(const ObjectPath& path)
    : Geometry3DSelection(path) {}

StrongRef<WorkPoint> WorkPointSelection::workPoint() const {
    return StrongRef<WorkPoint>(::Kv::queryInterface<WorkPoint>(geometry().get()));
}

std::wstring WorkPointSelection::userName() const {
    return StringTable::getLocalizedString(L"KvGeometry", "WorkPointSelectionId", L"WorkPoint");
}

bool WorkPointSelection::onProvidesPoint(ZkGePoint3d& position) const {
    const StrongRef<WorkPoint> picked = workPoint();
    if (!picked)
        return false;
    position = picked->point();
    return true;
}

bool WorkPointSelection::onHitPoint(ZkGePoint3d& position) const {
    const StrongRef<WorkPoint> picked = workPoint();
    return picked && picked->modelHitPoint(*this, position);
}

Measurable* WorkPointSelection::onMakeMeasurable() {
    const StrongRef<WorkPoint> picked = workPoint();
    return picked ? new MeasurablePoint(StrongRef<LogicalSelection>(this), picked->point())
                  : nullptr;
}

void* WorkPointSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry3DSelection::queryInterface(id);
}

} // namespace Kv::Geometry
