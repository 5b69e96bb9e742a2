#pragma once

#include "Kv/DataModel/EntityMetaType.h"

#include <new>
#include <type_traits>

namespace Kv {

// The meta type of entity class T: loading makes instances with T's load
// constructor (T befriends this template), and instances have T's size.
template <class T> class EntityMetaTypeOf : public EntityMetaType {
public:
    using EntityMetaType::EntityMetaType;

    StrongRef<Entity> makeInstance(Segment* segment, uint64_t id) override {
        if constexpr (std::is_abstract_v<T>) {
            return {};
        } else {
            return StrongRef<Entity>(new (std::nothrow) T(segment, id));
        }
    }
    size_t instanceSize() const override { return sizeof(T); }
};

} // namespace Kv
