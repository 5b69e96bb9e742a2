#pragma once

#include "Geometry/GeometryMetaTypes.h"
#include "Kv/DataModel/MemberSet.h"

#include <cstdint>
#include <string>

// What every persistent class of the add-in declares to tie itself to its
// meta type: the meta type accessors, the schema version of its data, the
// member-holder lookup and the host's meta type hook. Written once here so
// that the 41 classes cannot drift apart.
//
// In the class body (after the opening brace):
//     KV_GEOMETRY_ENTITY(Point3D, Geometry3D)
// In the source file:
//     KV_GEOMETRY_ENTITY_IMPL(Point3D)
#define KV_GEOMETRY_ENTITY(Class, Base)                                                            \
public:                                                                                            \
    /* The class's global meta type. */                                                            \
    static Class##MetaType& s_metaType();                                                          \
    /* The class identifier persisted with every instance. */                                      \
    static std::string s_metaTypeId();                                                             \
    /* The current member set (empty until the first instance is made). */                         \
    static Kv::MemberSet& memberSet();                                                             \
    /* The schema version of this class's data in this instance. */                                \
    uint32_t version() const override;                                                             \
    void version(uint32_t value);                                                                  \
    void* queryMTInterface(const Kv::EntityMetaType* metaType) override;                           \
                                                                                                   \
protected:                                                                                         \
    Kv::EntityMetaType* onMetaType() const override;                                               \
                                                                                                   \
private:                                                                                           \
    template <class, bool> friend class Kv::EntityMetaTypeOf;                                      \
    using Super = Base;

#define KV_GEOMETRY_ENTITY_IMPL(Class)                                                             \
    KV_GEOMETRY_ENTITY_CORE_IMPL(Class)                                                            \
    void* Class::queryMTInterface(const Kv::EntityMetaType* metaType) {                            \
        return metaType == &g_##Class##MetaType ? this : Super::queryMTInterface(metaType);        \
    }

// The definitions without queryMTInterface, for classes that answer it for
// their migration helper too.
#define KV_GEOMETRY_ENTITY_CORE_IMPL(Class)                                                        \
    Class##MetaType& Class::s_metaType() {                                                         \
        return g_##Class##MetaType;                                                                \
    }                                                                                              \
    std::string Class::s_metaTypeId() {                                                            \
        return g_##Class##MetaType.identifier();                                                   \
    }                                                                                              \
    Kv::MemberSet& Class::memberSet() {                                                            \
        return g_##Class##MetaType.memberSet(Kv::MetaType::kCurrentVersion);                       \
    }                                                                                              \
    uint32_t Class::version() const {                                                              \
        return migratingVersion(&g_##Class##MetaType);                                             \
    }                                                                                              \
    void Class::version(uint32_t value) {                                                          \
        migratingVersion(&g_##Class##MetaType, value);                                             \
    }                                                                                              \
    Kv::EntityMetaType* Class::onMetaType() const {                                                \
        return &g_##Class##MetaType;                                                               \
    }
