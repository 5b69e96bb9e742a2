#pragma once

#include "Kv/Base/PassiveRef.h"
#include "Kv/Base/StrongRef.h"
#include "Kv/DataModel/Entity.h"
#include "Kv/DataModel/MemberMetaType.h"

#include <boost/core/demangle.hpp>

#include <typeinfo>

namespace Kv {

// Shared behaviour of reference members: a reference is stored as the target's
// segment key and entity id (id 0 for null) and printed as the target's path.
class RefMetaType : public MemberMetaType {
public:
    void print(const void* value, const TemplatizedFunctions* fns, std::ostream& out,
               const MemberContext& context) const override;
    bool equal(const void* a, const void* b, const TemplatizedFunctions*) const override {
        return target(a) == target(b);
    }
    void forEachReference(const void* value, const TemplatizedFunctions*,
                          const ReferenceVisitor& visit) const override {
        if (Entity* entity = target(value))
            visit(entity, owning());
    }

protected:
    using MemberMetaType::MemberMetaType;
    virtual Entity* target(const void* value) const = 0;
    // Whether the reference keeps its target alive.
    virtual bool owning() const = 0;
    void encodeTarget(Entity* target, bool owning, ByteWriter& out, MemberContext& context) const;
    Entity* decodeTarget(ByteReader& in, MemberContext& context) const;
    [[noreturn]] static void wrongClass(const Entity* found, const std::string& expected);
};

// The meta type of StrongRef<T> members, one per target class T.
class StrongRefMetaType : public RefMetaType {
public:
    template <class T> static StrongRefMetaType* get();

protected:
    StrongRefMetaType()
        : RefMetaType("StrongRef", false) {}
    bool owning() const override { return true; }
};

// The meta type of PassiveRef<T> members, one per target class T.
class PassiveRefMetaType : public RefMetaType {
public:
    template <class T> static PassiveRefMetaType* get();

protected:
    PassiveRefMetaType()
        : RefMetaType("PassiveRef", false) {}
    bool owning() const override { return false; }
};

namespace Detail {

template <class T> class StrongRefMetaTypeOf final : public StrongRefMetaType {
public:
    void encode(const void* value, const TemplatizedFunctions*, ByteWriter& out,
                MemberContext& context) const override {
        encodeTarget(target(value), true, out, context);
    }
    void decode(void* value, const TemplatizedFunctions*, ByteReader& in,
                MemberContext& context) const override {
        Entity* found = decodeTarget(in, context);
        T* typed = found ? dynamic_cast<T*>(found) : nullptr;
        if (found && !typed)
            wrongClass(found, boost::core::demangle(typeid(T).name()));
        *static_cast<StrongRef<T>*>(value) = StrongRef<T>(typed);
    }

private:
    Entity* target(const void* value) const override {
        return static_cast<const StrongRef<T>*>(value)->getTarget();
    }
};

template <class T> class PassiveRefMetaTypeOf final : public PassiveRefMetaType {
public:
    void encode(const void* value, const TemplatizedFunctions*, ByteWriter& out,
                MemberContext& context) const override {
        encodeTarget(target(value), false, out, context);
    }
    void decode(void* value, const TemplatizedFunctions*, ByteReader& in,
                MemberContext& context) const override {
        Entity* found = decodeTarget(in, context);
        T* typed = found ? dynamic_cast<T*>(found) : nullptr;
        if (found && !typed)
            wrongClass(found, boost::core::demangle(typeid(T).name()));
        *static_cast<PassiveRef<T>*>(value) = PassiveRef<T>(typed);
    }

private:
    Entity* target(const void* value) const override {
        return static_cast<const PassiveRef<T>*>(value)->getTarget();
    }
};

} // namespace Detail

template <class T> StrongRefMetaType* StrongRefMetaType::get() {
    static Detail::StrongRefMetaTypeOf<T> metaType;
    return &metaType;
}

template <class T> PassiveRefMetaType* PassiveRefMetaType::get() {
    static Detail::PassiveRefMetaTypeOf<T> metaType;
    return &metaType;
}

} // namespace Kv
