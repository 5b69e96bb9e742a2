#pragma once

#include "Kv/Base/UniqueString.h"

#include <functional>

namespace Kv {

class Entity;

// An entity whose sub-entities generic code (listing, traversal) can walk
// without knowing how the entity keeps them.
class IVisitable {
public:
    virtual void visitChildren(const std::function<void(Entity&)>& visit) = 0;

    KV_INTERFACE_ID("Kv::IVisitable")

protected:
    ~IVisitable() = default;
};

} // namespace Kv
