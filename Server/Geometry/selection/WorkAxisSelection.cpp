#include "Geometry/selection/WorkAxisSelection.h"

#include "Geometry/selection/MeasurableCurve.h"
#include "Geometry/workgeometry/WorkAxis.h"
#include "Kv/Base/StringTable.h"

namespace Kv::Geometry {

StrongRefCreator<WorkAxisSelection> WorkAxisSelection::make(const ObjectPath& path,
                                                            StrongRef<WorkAxis>) {
    return StrongRefCreator<WorkAxisSelection>(
        StrongRef<WorkAxisSelection>(new WorkAxisSelection(path)));
}

WorkAxisSelection::WorkAxisSelection(const ObjectPath& path)
    : Geometry3DSelection(path) {}

StrongRef<WorkAxis> WorkAxisSelection::workAxis() const {
    return StrongRef<WorkAxis>(::Kv::queryInterface<WorkAxis>(geometry().get()));
}

std::wstring WorkAxisSelection::userName() const {
    return StringTable::getLocalizedString(L"KvGeometry", "WorkAxisSelectionId", L"WorkAxis");
}

bool WorkAxisSelection::onProvidesLine(ZkGeLine3d& line) const {
    const StrongRef<WorkAxis> picked = workAxis();
    if (!picked)
        return false;
    line = picked->line();
    return true;
}

bool WorkAxisSelection::onHitPoint(ZkGePoint3d& position) const {
    const StrongRef<WorkAxis> picked = workAxis();
    return picked && picked->modelHitPoint(*this, position);
}

Measurable* WorkAxisSelection::onMakeMeasurable() {
    const StrongRef<WorkAxis> picked = workAxis();
    return picked ? new MeasurableCurve(StrongRef<LogicalSelection>(this), &picked->line())
                  : nullptr;
}

void* WorkAxisSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry3DSelection::queryInterface(id);
}

} // namespace Kv::Geometry
