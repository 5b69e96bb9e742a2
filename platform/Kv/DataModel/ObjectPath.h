#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/DataModel/Entity.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace Kv {

// The chain of entities from a document's root (its component) down to one
// entity, as picking, selection and the edit commands name what they act on.
//
// The elements are strong references: a path is handed to requests and kept
// by selections while entities are removed and restored by undo, and it must
// go on naming the same objects, just as the transaction that removed them does.
class ObjectPath {
public:
    ObjectPath() = default;

    // The path to `entity`, found by following parentEntity() up to the entity
    // without a parent. Empty for null.
    static ObjectPath toEntity(Entity* entity);

    // Appends a new leaf; the qualifier belonged to the old leaf and is cleared.
    void push(Entity* entity);
    const std::vector<StrongRef<Entity>>& elements() const { return m_elements; }
    size_t size() const { return m_elements.size(); }
    bool empty() const { return m_elements.empty(); }
    Entity* root() const { return empty() ? nullptr : m_elements.front().get(); }
    Entity* leaf() const { return empty() ? nullptr : m_elements.back().get(); }
    bool contains(const Entity* entity) const;

    // Cuts the path back so that it ends at `entity`, clearing the qualifier
    // when the leaf changes. Nothing happens when `entity` is not on the path.
    void pop_to(const Entity* entity);

    // What part of the leaf is meant, in the leaf's own terms (an end of a
    // curve, a handle); 0 means the leaf as a whole.
    uint64_t qualifier() const { return m_qualifier; }
    void qualify(uint64_t qualifier) { m_qualifier = qualifier; }
    bool isQualified() const { return m_qualifier != 0; }

    bool operator==(const ObjectPath& other) const;
    bool operator!=(const ObjectPath& other) const { return !(*this == other); }

private:
    std::vector<StrongRef<Entity>> m_elements;
    uint64_t m_qualifier = 0;
};

} // namespace Kv
