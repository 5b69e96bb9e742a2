#pragma once

#include "Kv/Base/UniqueString.h"

namespace Kv {
class Entity;
}

namespace Kv::CommonData {

// An object that belongs to a component and can say which entity stands for
// it there.
class IComponentObject {
public:
    virtual Entity* componentObjectEntity() = 0;

    KV_INTERFACE_ID("Kv::CommonData::IComponentObject")

protected:
    ~IComponentObject() = default;
};

} // namespace Kv::CommonData
