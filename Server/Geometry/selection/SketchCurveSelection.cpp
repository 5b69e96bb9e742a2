#include "Geometry/selection/SketchCurveSelection.h"

#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/selection/MeasurableCurve.h"
#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Kv/Base/StringTable.h"

#include "ZkGePlane.h"

namespace Kv::Geometry {
namespace {

// The placement of the sketch's own coordinates in its component.
ZkGeMatrix3d sketchTransform(const Sketch& sketch) {
    const StrongRef<CoordinateSystem>& system = sketch.coordinateSystem();
    return system ? system->transform() : ZkGeMatrix3d();
}

} // namespace

StrongRefCreator<SketchCurveSelection> SketchCurveSelection::make(const ObjectPath& path,
                                                                  StrongRef<Geometry3D>) {
    return StrongRefCreator<SketchCurveSelection>(
        StrongRef<SketchCurveSelection>(new SketchCurveSelection(path)));
}

SketchCurveSelection::SketchCurveSelection(const ObjectPath& path)
    : Geometry3DSelection(path) {}

StrongRef<Curve3D> SketchCurveSelection::curve() const {
    return StrongRef<Curve3D>(::Kv::queryInterface<Curve3D>(geometry().get()));
}

bool SketchCurveSelection::sketchSpaceHitPoint(ZkGePoint3d& point) const {
    const StrongRef<Curve3D> picked = curve();
    if (!picked)
        return false;
    const ZkGeCurve3d& kernel = picked->curve();
    const ZkGeInterval range = kernel.getInterval();
    point =
        kernel.evalPoint(range.isBounded() ? (range.lowerBound() + range.upperBound()) * 0.5 : 0.0);
    const StrongRef<Sketch> sketch = picked->sketch();
    if (!sketch)
        return false;
    const SelectionHitInfo* hit = hitInfo();
    if (!hit)
        return true;
    // The pick ray in sketch coordinates meets the sketch plane, z = 0.
    ObjectPath toSketch = path();
    toSketch.pop_to(sketch.get());
    ZkGeMatrix3d sketchToWorld = placementAbove(toSketch);
    sketchToWorld.postMultBy(sketchTransform(*sketch));
    ZkGeRay3d ray = hit->worldRay();
    ray.transformBy(sketchToWorld.inverse());
    ZkGePoint3d onPlane;
    if (ZkGePlane::kXYPlane.intersectWith(ray, onPlane))
        point = kernel.closestPointTo(onPlane);
    return true;
}

bool SketchCurveSelection::parentComponentSpaceHitPoint(ZkGePoint3d& point) const {
    const bool found = sketchSpaceHitPoint(point);
    if (const StrongRef<Curve3D> picked = curve())
        if (const StrongRef<Sketch> sketch = picked->sketch())
            point.transformBy(sketchTransform(*sketch));
    return found;
}

std::wstring SketchCurveSelection::userName() const {
    return StringTable::getLocalizedString(L"KvGeometry", "SketchCurveSelectionId",
                                           L"Sketch Curve");
}

bool SketchCurveSelection::onProvidesLine(ZkGeLine3d& line) const {
    const StrongRef<Curve3D> picked = curve();
    if (const auto* segment = ::Kv::queryInterface<Line3D>(picked.get())) {
        line.set(segment->start(), segment->end() - segment->start());
        return true;
    }
    if (const auto* arc = ::Kv::queryInterface<CircArc3D>(picked.get())) {
        const StrongRef<Point3D>& center = arc->centerPoint();
        line.set(center ? center->point() : arc->arcCurve().center(), arc->normal());
        return true;
    }
    return false;
}

bool SketchCurveSelection::onHitPoint(ZkGePoint3d& point) const {
    if (!sketchSpaceHitPoint(point))
        return false;
    point.transformBy(modelTransform());
    return true;
}

Measurable* SketchCurveSelection::onMakeMeasurable() {
    const StrongRef<Curve3D> picked = curve();
    return picked ? new MeasurableCurve(StrongRef<LogicalSelection>(this), &picked->curve())
                  : nullptr;
}

void* SketchCurveSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry3DSelection::queryInterface(id);
}

} // namespace Kv::Geometry
