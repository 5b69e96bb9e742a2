#pragma once

#include "Kv/Base/UniqueString.h"

namespace Kv {

class Entity;

// A part of a document: the owner of the add-ins' collections.
class IComponent {
public:
    virtual Entity* componentEntity() = 0;
    KV_INTERFACE_ID("Kv::IComponent")

protected:
    ~IComponent() = default;
};

} // namespace Kv
