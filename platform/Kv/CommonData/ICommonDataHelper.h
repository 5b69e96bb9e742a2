#pragma once

#include "Kv/Base/UniqueString.h"

namespace Kv {
class Entity;
}

namespace Kv::CommonData {

// An entity that is part of the common data of another one (a list, a
// coordinate system) and can name that owner.
class ICommonDataHelper {
public:
    // The nearest entity above this one that is common data in its own right.
    virtual Entity* commonDataAncestor() = 0;

    KV_INTERFACE_ID("Kv::CommonData::ICommonDataHelper")

protected:
    ~ICommonDataHelper() = default;
};

} // namespace Kv::CommonData
