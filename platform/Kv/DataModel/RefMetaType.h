#pragma once

#include "Kv/Base/PassiveRef.h"
#include "Kv/Base/StrongRef.h"
#include "Kv/DataModel/Entity.h"
#include "Kv/DataModel/MemberMetaType.h"

#include <boost/core/demangle.hpp>

#include <atomic>
#include <type_traits>
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
    // Sets the reference in `value` to `target`; throws FormatError when the
    // target is not of the referenced class.
    virtual void assign(void* value, Entity* target) const = 0;

protected:
    using MemberMetaType::MemberMetaType;
    virtual Entity* target(const void* value) const = 0;
    // Whether the reference keeps its target alive.
    virtual bool owning() const = 0;
    void encodeTarget(Entity* target, bool owning, ByteWriter& out, MemberContext& context) const;
    // The entity a stored reference names. With pending references allowed,
    // one the asset does not hold yet is recorded for `value` and read as null.
    Entity* decodeTarget(ByteReader& in, void* value, MemberContext& context) const;
    [[noreturn]] static void wrongClass(const Entity* found, const std::string& expected);

    // `target` as a T. Entities of one class are usually referenced in runs,
    // so the last class that passed is remembered and not checked again.
    template <class T> T* checkedCast(Entity* target) const {
        if (!target)
            return nullptr;
        const std::type_info* type = &typeid(*target);
        if constexpr (std::is_base_of_v<Entity, T>)
            if (type == m_lastAccepted.load(std::memory_order_relaxed))
                return static_cast<T*>(target);
        T* typed = dynamic_cast<T*>(target);
        if (!typed)
            wrongClass(target, boost::core::demangle(typeid(T).name()));
        m_lastAccepted.store(type, std::memory_order_relaxed);
        return typed;
    }

private:
    mutable std::atomic<const std::type_info*> m_lastAccepted{nullptr};
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
        assign(value, decodeTarget(in, value, context));
    }
    void assign(void* value, Entity* target) const override {
        *static_cast<StrongRef<T>*>(value) = StrongRef<T>(checkedCast<T>(target));
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
        assign(value, decodeTarget(in, value, context));
    }
    void assign(void* value, Entity* target) const override {
        *static_cast<PassiveRef<T>*>(value) = PassiveRef<T>(checkedCast<T>(target));
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
