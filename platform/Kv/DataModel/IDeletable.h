#pragma once

#include "Kv/Base/UniqueString.h"
#include "Kv/DataModel/ObjectPath.h"

namespace Kv {
class Request;
}

namespace Kv::DataModel {

// An object the user can delete. The deletion itself is a request, so that it
// runs in a transaction and can be undone.
class IDeletable {
public:
    virtual bool onCanDelete(const ObjectPath& path) = 0;
    // A new request deleting the object at `path`, owned by the caller; null
    // when the object cannot be deleted.
    virtual Request* onProvideDeleteRequest(const ObjectPath& path) = 0;

    KV_INTERFACE_ID("Kv::DataModel::IDeletable")

protected:
    ~IDeletable() = default;
};

} // namespace Kv::DataModel
