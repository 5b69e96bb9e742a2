#pragma once

#include "Kv/Base/UniqueString.h"

namespace Kv {

// Root of every host object. Interfaces are found by name, so that add-ins
// compiled apart from the host can still ask each other for what they offer.
class Object {
public:
    virtual ~Object() = default;

    // The object as the interface named `id`, or null. Each class answers its
    // own qualified name first, then defers to its bases in declaration order.
    virtual void* queryInterface(const UniqueString& id);

    KV_INTERFACE_ID("Kv::Object")
};

// The object as interface T (which declares KV_INTERFACE_ID), or null.
template <class T, class O> T* queryInterface(O* object) {
    return object ? static_cast<T*>(object->queryInterface(T::interfaceId())) : nullptr;
}

} // namespace Kv
