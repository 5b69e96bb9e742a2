#pragma once

#include "Kv/DataModel/Entity.h"
#include "Kv/DataModel/EntityMetaType.h"

#include <new>
#include <type_traits>

namespace Kv {

// The meta type of entity class T. Loading makes instances with T's load
// constructor, and member sets of any version are filled by T's own
// `initializeMemberSet(version, memberSet)` when T has persisted members of
// its own (OwnMembers). T befriends this template for both.
template <class T, bool OwnMembers = true> class EntityMetaTypeOf : public EntityMetaType {
public:
    using EntityMetaType::EntityMetaType;

    void initializeMemberSet(Entity* entity, uint32_t version, MemberSet& memberSet) override {
        memberSet.initialize(entity, className());
        if constexpr (OwnMembers)
            static_cast<T*>(entity)->initializeMemberSet(version, memberSet);
    }

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
