#pragma once

#include "Kv/Base/UniqueString.h"
#include "Kv/DataModel/ObjectPath.h"

#include <vector>

namespace Kv {
class Request;
}

namespace Kv::DataModel {

// An object that takes copied or cut objects pasted onto it.
class IPasteSink {
public:
    // A new request pasting `pasted` into `target`, owned by the caller; null
    // when the paste is not possible.
    virtual Request* onProvidePasteRequest(const std::vector<ObjectPath>& pasted,
                                           const ObjectPath& target, bool isCut, bool isClone,
                                           bool isReorder) = 0;
    virtual bool onCanPaste(const std::vector<ObjectPath>& pasted, const ObjectPath& target,
                            bool isCut, bool isReorder) = 0;

    KV_INTERFACE_ID("Kv::DataModel::IPasteSink")

protected:
    ~IPasteSink() = default;
};

} // namespace Kv::DataModel
