#pragma once

#include "Geometry/selection/Geometry3DSelection.h"

namespace Kv::Geometry {

class WorkPoint;

// A picked work point: it offers its position as a point and measures as a
// point.
class WorkPointSelection : public Geometry3DSelection {
public:
    // The point is only checked against the path: the leaf is what counts.
    static StrongRefCreator<WorkPointSelection> make(const ObjectPath& path,
                                                     StrongRef<WorkPoint> point);

    // The path's leaf as a work point; null when it is something else or no
    // longer lives in its document.
    StrongRef<WorkPoint> workPoint() const;

    std::wstring userName() const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkPointSelection")

protected:
    explicit WorkPointSelection(const ObjectPath& path);

    bool onProvidesPoint(ZkGePoint3d& position) const override;
    bool onHitPoint(ZkGePoint3d& position) const override;
    // A MeasurablePoint at the position; null without a point.
    Measurable* onMakeMeasurable() override;
};

} // namespace Kv::Geometry
