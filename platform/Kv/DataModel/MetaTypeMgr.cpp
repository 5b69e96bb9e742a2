#include "Kv/DataModel/MetaTypeMgr.h"

#include "Kv/DataModel/EntityMetaType.h"

#include <algorithm>
#include <stdexcept>

namespace Kv {

MetaTypeMgr& MetaTypeMgr::get() {
    // Never destroyed: add-in globals unregister during static destruction.
    static MetaTypeMgr* mgr = new MetaTypeMgr;
    return *mgr;
}

void MetaTypeMgr::registerMetaType(EntityMetaType* metaType) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_byIdentifier.emplace(metaType->identifier(), metaType).second)
        throw std::logic_error("meta type " + metaType->identifier() + " registered twice");
    m_ordered.push_back(metaType);
}

void MetaTypeMgr::unregisterMetaType(EntityMetaType* metaType) {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_byIdentifier.find(metaType->identifier());
    if (it != m_byIdentifier.end() && it->second == metaType)
        m_byIdentifier.erase(it);
    m_ordered.erase(std::remove(m_ordered.begin(), m_ordered.end(), metaType), m_ordered.end());
}

EntityMetaType* MetaTypeMgr::find(const std::string& identifier) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_byIdentifier.find(identifier);
    return it == m_byIdentifier.end() ? nullptr : it->second;
}

std::vector<EntityMetaType*> MetaTypeMgr::metaTypes() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_ordered;
}

} // namespace Kv
