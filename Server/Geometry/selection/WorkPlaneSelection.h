#pragma once

#include "Geometry/selection/Geometry3DSelection.h"

namespace Kv::Geometry {

class WorkPlane;

// A picked work plane as a whole: it offers its plane and measures as that
// (unbounded) plane.
class WorkPlaneSelection : public Geometry3DSelection {
public:
    // The plane is only checked against the path: the leaf is what counts.
    static StrongRefCreator<WorkPlaneSelection> make(const ObjectPath& path,
                                                     StrongRef<WorkPlane> plane);

    // The path's leaf as a work plane; null when it is something else or no
    // longer lives in its document.
    StrongRef<WorkPlane> workPlane() const;

    std::wstring userName() const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkPlaneSelection")

protected:
    explicit WorkPlaneSelection(const ObjectPath& path);

    bool onProvidesPlane(ZkGePlane& plane) const override;
    bool onHitPoint(ZkGePoint3d& position) const override;
    // A MeasurableSurface on the plane; null without a plane.
    Measurable* onMakeMeasurable() override;
};

} // namespace Kv::Geometry
