#pragma once

#include "Geometry/selection/Geometry3DSelection.h"

namespace Kv::Geometry {

class Point3D;

// A picked sketch point: it offers its position as a point and measures as
// a point.
class SketchPointSelection : public Geometry3DSelection {
public:
    // The point is only checked against the path: the leaf is what counts.
    static StrongRefCreator<SketchPointSelection> make(const ObjectPath& path,
                                                       StrongRef<Point3D> point);

    // The path's leaf as a sketch point; null when it is something else or no longer
    // lives in its document.
    StrongRef<Point3D> point() const;

    std::wstring userName() const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::SketchPointSelection")

protected:
    explicit SketchPointSelection(const ObjectPath& path);

    bool onProvidesPoint(ZkGePoint3d& position) const override;
    bool onHitPoint(ZkGePoint3d& position) const override;
    // A MeasurablePoint at the position; null without a point.
    Measurable* onMakeMeasurable() override;
};

} // namespace Kv::Geometry
