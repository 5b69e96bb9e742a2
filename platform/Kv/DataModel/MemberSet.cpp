#include "Kv/DataModel/MemberSet.h"

#include "Kv/Base/ByteWriter.h"
#include "Kv/DataModel/Entity.h"

#include <stdexcept>

namespace Kv {

void MemberSet::initialize(Entity* entity, const std::string& className) {
    m_anchor = static_cast<const void*>(entity);
    m_name = className;
}

Member& MemberSet::addNewMember(const std::string& name, const void* address, const char* typeName,
                                MemberMetaType* metaType, const TemplatizedFunctions* functions,
                                const MigrationHelper* holder) {
    if (!metaType)
        throw std::logic_error("member " + m_name + "::" + name + " has no meta type");
    if (m_byName.count(name))
        throw std::logic_error("member " + m_name + "::" + name + " registered twice");
    const void* anchor = holder ? static_cast<const void*>(holder) : m_anchor;
    if (!anchor)
        throw std::logic_error("member set " + m_name + " was not initialised with an entity");
    std::ptrdiff_t offset = static_cast<const char*>(address) - static_cast<const char*>(anchor);
    m_members.emplace_back(name, offset, typeName ? typeName : "", metaType, functions,
                           holder != nullptr);
    m_byName.emplace(name, &m_members.back());
    return m_members.back();
}

void MemberSet::forEachMember(const std::function<void(const Member&)>& visit) const {
    if (m_base)
        m_base->forEachMember(visit);
    for (const Member& member : m_members)
        visit(member);
}

const Member* MemberSet::findMember(const std::string& name) const {
    for (const MemberSet* set = this; set; set = set->m_base) {
        auto it = set->m_byName.find(name);
        if (it != set->m_byName.end())
            return it->second;
    }
    return nullptr;
}

Member* MemberSet::findOwnMember(const std::string& name) {
    auto it = m_byName.find(name);
    return it == m_byName.end() ? nullptr : const_cast<Member*>(it->second);
}

size_t MemberSet::memberCount() const {
    return m_members.size() + (m_base ? m_base->memberCount() : 0);
}

const std::vector<MemberSet::WrittenMember>& MemberSet::writtenOrder() const {
    if (m_writtenReady.load(std::memory_order_acquire))
        return m_written; // the common case, without touching the lock
    std::lock_guard<std::mutex> lock(m_writtenMutex);
    if (!m_writtenReady.load(std::memory_order_relaxed)) {
        forEachMember([this](const Member& member) {
            ByteWriter header;
            header.writeString(member.name());
            header.writeString(member.typeKey());
            m_written.push_back({&member, header.take()});
        });
        m_writtenReady.store(true, std::memory_order_release);
    }
    return m_written;
}

} // namespace Kv
