#pragma once

#include "Kv/Base/UniqueString.h"

namespace Kv::CommonData {

// The state of a walk through a component (which view, which overrides
// apply) that the objects visited can ask about.
class IComponentTraversalContext {
public:
    // Whether the condition `what` holds in this walk.
    virtual bool query(int what) = 0;

    KV_INTERFACE_ID("Kv::CommonData::IComponentTraversalContext")

protected:
    ~IComponentTraversalContext() = default;
};

} // namespace Kv::CommonData
