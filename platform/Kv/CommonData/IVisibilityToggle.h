#pragma once

#include "Kv/Base/UniqueString.h"

namespace Kv {
class ObjectPath;
}

namespace Kv::CommonData {

class IComponentTraversalContext;

// An object the user can show and hide.
class IVisibilityToggle {
public:
    // Visibility as seen in `context`, or on its own without one.
    virtual bool isVisible(IComponentTraversalContext* context = nullptr) = 0;
    // Shows the object at `path` when hidden and hides it when shown; false
    // when its visibility cannot change.
    virtual bool toggleVisibility(const ObjectPath& path) = 0;

    KV_INTERFACE_ID("Kv::CommonData::IVisibilityToggle")

protected:
    ~IVisibilityToggle() = default;
};

} // namespace Kv::CommonData
