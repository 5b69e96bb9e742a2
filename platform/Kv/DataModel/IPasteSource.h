#pragma once

#include "Kv/Base/UniqueString.h"
#include "Kv/DataModel/ObjectPath.h"

namespace Kv::DataModel {

// An object that can be copied, cut or moved to another place among its
// siblings.
class IPasteSource {
public:
    virtual bool onCanCopy(const ObjectPath& path) = 0;
    virtual bool onCanCut(const ObjectPath& path) = 0;
    virtual bool onCanReorder(const ObjectPath& path) = 0;

    KV_INTERFACE_ID("Kv::DataModel::IPasteSource")

protected:
    ~IPasteSource() = default;
};

} // namespace Kv::DataModel
