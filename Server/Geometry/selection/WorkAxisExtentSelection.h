#pragma once

#include "Geometry/selection/Geometry3DSelection.h"
#include "Geometry/workgeometry/WorkAxis.h"

namespace Kv::Geometry {

// A picked end of a work axis: the path's leaf qualifier names the end as a
// WorkAxisExtentType.
class WorkAxisExtentSelection : public Geometry3DSelection {
public:
    // The axis is only checked against the path: the leaf is what counts.
    static StrongRefCreator<WorkAxisExtentSelection> make(const ObjectPath& path,
                                                          StrongRef<WorkAxis> axis);

    // The path's leaf as a work axis; null when it is something else or no
    // longer lives in its document.
    StrongRef<WorkAxis> workAxis() const;
    // The picked end as the axis's extent gives it: the lower end for
    // kLowerEnd, the upper end for kUpperEnd; the origin for any other
    // qualifier or without an axis.
    ZkGePoint3d extentPoint() const;
    // The leaf qualifier, as it stands.
    WorkAxisExtentType extentEnd() const;

    std::wstring userName() const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkAxisExtentSelection")

protected:
    explicit WorkAxisExtentSelection(const ObjectPath& path);
};

} // namespace Kv::Geometry
