#include "Geometry/selection/SketchPointSelection.h"

#include "Geometry/selection/MeasurablePoint.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Kv/Base/StringTable.h"

namespace Kv::Geometry {

StrongRefCreator<SketchPointSelection> SketchPointSelection::make(const ObjectPath& path,
                                                                  StrongRef<Point3D>) {
    return StrongRefCreator<SketchPointSelection>(
        StrongRef<SketchPointSelection>(new SketchPointSelection(path)));
}

SketchPointSelection::SketchPointSelection(const ObjectPath& path)
    : Geometry3DSelection(path) {}

StrongRef<Point3D> SketchPointSelection::point() const {
    return StrongRef<Point3D>(::Kv::queryInterface<Point3D>(geometry().get()));
}

std::wstring SketchPointSelection::userName() const {
    return StringTable::getLocalizedString(L"KvGeometry", "SketchPointSelectionId",
                                           L"Sketch Point");
}

bool SketchPointSelection::onProvidesPoint(ZkGePoint3d& position) const {
    const StrongRef<Point3D> picked = point();
    if (!picked)
        return false;
    position = picked->point();
    return true;
}

bool SketchPointSelection::onHitPoint(ZkGePoint3d& position) const {
    if (!onProvidesPoint(position))
        return false;
    position.transformBy(modelTransform());
    return true;
}

Measurable* SketchPointSelection::onMakeMeasurable() {
    const StrongRef<Point3D> picked = point();
    return picked ? new MeasurablePoint(StrongRef<LogicalSelection>(this), picked->point())
                  : nullptr;
}

void* SketchPointSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry3DSelection::queryInterface(id);
}

} // namespace Kv::Geometry
