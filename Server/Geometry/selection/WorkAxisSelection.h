#pragma once

#include "Geometry/selection/Geometry3DSelection.h"

namespace Kv::Geometry {

class WorkAxis;

// A picked work axis as a whole: it offers its line and measures as that
// (unbounded) line.
class WorkAxisSelection : public Geometry3DSelection {
public:
    // The axis is only checked against the path: the leaf is what counts.
    static StrongRefCreator<WorkAxisSelection> make(const ObjectPath& path,
                                                    StrongRef<WorkAxis> axis);

    // The path's leaf as a work axis; null when it is something else or no
    // longer lives in its document.
    StrongRef<WorkAxis> workAxis() const;

    std::wstring userName() const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkAxisSelection")

protected:
    explicit WorkAxisSelection(const ObjectPath& path);

    bool onProvidesLine(ZkGeLine3d& line) const override;
    bool onHitPoint(ZkGePoint3d& position) const override;
    // A MeasurableCurve on the axis line; null without an axis.
    Measurable* onMakeMeasurable() override;
};

} // namespace Kv::Geometry
