#pragma once

#include "Geometry/selection/Geometry3DSelection.h"

namespace Kv::Geometry {

class WorkPlane;

// A picked edge of a work plane's rectangle: the path's leaf qualifier names
// the edge as a WorkPlaneExtentLineType.
class WorkPlaneExtentLineSelection : public Geometry3DSelection {
public:
    // The plane is only checked against the path: the leaf is what counts.
    static StrongRefCreator<WorkPlaneExtentLineSelection> make(const ObjectPath& path,
                                                               StrongRef<WorkPlane> plane);

    // The path's leaf as a work plane; null when it is something else or no
    // longer lives in its document.
    StrongRef<WorkPlane> workPlane() const;
    // The unbounded line along the picked edge of the plane's extent; a
    // default line for a qualifier that names no edge, or without a plane.
    ZkGeLine3d extentLine() const;

    std::wstring userName() const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkPlaneExtentLineSelection")

protected:
    explicit WorkPlaneExtentLineSelection(const ObjectPath& path);
};

} // namespace Kv::Geometry
