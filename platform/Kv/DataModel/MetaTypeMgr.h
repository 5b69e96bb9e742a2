#pragma once

#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

namespace Kv {

class EntityMetaType;

// The process-wide registry of entity meta types, by identifier, in the order
// they were registered.
class MetaTypeMgr {
public:
    static MetaTypeMgr& get();

    void registerMetaType(EntityMetaType* metaType);
    void unregisterMetaType(EntityMetaType* metaType);
    EntityMetaType* find(const std::string& identifier) const;
    std::vector<EntityMetaType*> metaTypes() const;

private:
    MetaTypeMgr() = default;
    mutable std::mutex m_mutex;
    std::vector<EntityMetaType*> m_ordered;
    std::unordered_map<std::string, EntityMetaType*> m_byIdentifier;
};

} // namespace Kv
