#pragma once

#include "Kv/Base/PassiveRef.h"
#include "Kv/Base/StrongRef.h"
#include "Kv/DataModel/MemberMetaType.h"
#include "Kv/DataModel/RefMetaType.h"
#include "Kv/DataModel/ValueMetaType.h"

#include <functional>
#include <map>
#include <vector>

namespace Kv {

// The member meta type of an element type T: a value, a strong or a passive
// reference.
template <class T> struct MemberMetaTypeOf {
    static MemberMetaType* get() { return &ValueMetaType<T>::instance(); }
};
template <class T> struct MemberMetaTypeOf<StrongRef<T>> {
    static MemberMetaType* get() { return StrongRefMetaType::get<T>(); }
};
template <class T> struct MemberMetaTypeOf<PassiveRef<T>> {
    static MemberMetaType* get() { return PassiveRefMetaType::get<T>(); }
};

// Type-erased access to the elements of one container type, handed to the
// generic "Vector" and "Map" member meta types with each container member.
struct TemplatizedFunctions {
    MemberMetaType* element = nullptr;

    // Vectors.
    size_t (*size)(const void* container) = nullptr;
    void (*resize)(void* container, size_t size) = nullptr;
    void* (*at)(void* container, size_t index) = nullptr;
    const void* (*constAt)(const void* container, size_t index) = nullptr;

    // Maps keyed by int.
    void (*clear)(void* container) = nullptr;
    void* (*insert)(void* container, int key) = nullptr;
    void (*forEach)(const void* container,
                    const std::function<void(int key, const void* value)>& visit) = nullptr;

    template <class V> static const TemplatizedFunctions* forVector() {
        static const TemplatizedFunctions fns = [] {
            using C = std::vector<V>;
            TemplatizedFunctions f;
            f.element = MemberMetaTypeOf<V>::get();
            f.size = [](const void* c) {
                return static_cast<const C*>(c)->size();
            };
            f.resize = [](void* c, size_t n) {
                static_cast<C*>(c)->resize(n);
            };
            f.at = [](void* c, size_t i) -> void* {
                return &(*static_cast<C*>(c))[i];
            };
            f.constAt = [](const void* c, size_t i) -> const void* {
                return &(*static_cast<const C*>(c))[i];
            };
            return f;
        }();
        return &fns;
    }

    template <class V> static const TemplatizedFunctions* forMap() {
        static const TemplatizedFunctions fns = [] {
            using C = std::map<int, V>;
            TemplatizedFunctions f;
            f.element = MemberMetaTypeOf<V>::get();
            f.size = [](const void* c) {
                return static_cast<const C*>(c)->size();
            };
            f.clear = [](void* c) {
                static_cast<C*>(c)->clear();
            };
            f.insert = [](void* c, int key) -> void* {
                return &(*static_cast<C*>(c))[key];
            };
            f.forEach = [](const void* c, const std::function<void(int, const void*)>& visit) {
                for (const auto& [key, value] : *static_cast<const C*>(c))
                    visit(key, &value);
            };
            return f;
        }();
        return &fns;
    }
};

} // namespace Kv
