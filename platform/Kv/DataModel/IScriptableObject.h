#pragma once

#include "Kv/Base/UniqueString.h"

namespace Kv {

class ObjectPath;
class Onk;

// An object scripts can name and walk into.
class IScriptableObject {
public:
    // Fills `key` with the object's name key; false when the object has no key
    // of its own (scripts then reach it only through its parent).
    virtual bool getOnk(Onk& key) = 0;
    // The child named `key` under the object at `path`, or null.
    virtual IScriptableObject* getChildObject(const Onk&, const ObjectPath&) { return nullptr; }

    KV_INTERFACE_ID("Kv::IScriptableObject")

protected:
    ~IScriptableObject() = default;
};

} // namespace Kv
