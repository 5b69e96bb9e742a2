#pragma once

#include "Kv/Base/UniqueString.h"
#include "Kv/DataModel/ObjectPath.h"

#include "ZkGeMatrix3d.h"

namespace Kv::DataModel {

// An object whose logical selection carries a placement of its own (a work
// plane, a coordinate system) that measurements and commands can align to.
class ILogicalSelectionTransform {
public:
    // Fills `transform` with the placement of the object at `path` and
    // `transformPath` with the path of the object it comes from; false when
    // the object has no placement.
    virtual bool onExtractTransform(const ObjectPath& path, ZkGeMatrix3d& transform,
                                    ObjectPath& transformPath) = 0;

    KV_INTERFACE_ID("Kv::DataModel::ILogicalSelectionTransform")

protected:
    ~ILogicalSelectionTransform() = default;
};

} // namespace Kv::DataModel
