#pragma once

#include "Geometry/selection/Geometry3DSelection.h"

namespace Kv::Geometry {

class WorkPlane;

// A picked corner of a work plane's rectangle: the path's leaf qualifier
// names the corner as a WorkPlaneExtentPointType.
class WorkPlaneExtentPointSelection : public Geometry3DSelection {
public:
    // The plane is only checked against the path: the leaf is what counts.
    static StrongRefCreator<WorkPlaneExtentPointSelection> make(const ObjectPath& path,
                                                                StrongRef<WorkPlane> plane);

    // The path's leaf as a work plane; null when it is something else or no
    // longer lives in its document.
    StrongRef<WorkPlane> workPlane() const;
    // The picked corner of the plane's extent; the origin for a qualifier
    // that names no corner, or without a plane.
    ZkGePoint3d extentPoint() const;

    std::wstring userName() const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkPlaneExtentPointSelection")

protected:
    explicit WorkPlaneExtentPointSelection(const ObjectPath& path);
};

} // namespace Kv::Geometry
