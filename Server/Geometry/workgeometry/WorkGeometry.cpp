#include "Geometry/workgeometry/WorkGeometry.h"

#include "Kv/Base/StringTable.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(WorkGeometry)

WorkGeometry::WorkGeometry(Entity* parent)
    : Geometry3D(parent) {
    initializeMemberSetIfNeeded();
}

WorkGeometry::WorkGeometry(Entity* parent, bool isOrigin, const std::wstring& originName)
    : Geometry3D(parent)
    , m_isOrigin(isOrigin)
    , m_originName(originName) {
    initializeMemberSetIfNeeded();
}

WorkGeometry::WorkGeometry(Segment* segment, uint64_t id)
    : Geometry3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void WorkGeometry::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "id", m_id);
    registerMember(memberSet, "isOrigin", m_isOrigin);
    registerMember(memberSet, "originName", m_originName);
}

void WorkGeometry::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void WorkGeometry::setUserId(int id) {
    EntityChange change(this, kTransactDo, kChangeCounters, 3, nullptr, true);
    m_id = id;
}

std::wstring WorkGeometry::userName() const {
    return L"WG";
}

std::wstring WorkGeometry::nameFromNumber(const std::string& key,
                                          const std::wstring& fallback) const {
    if (m_isOrigin)
        return m_originName;
    return StringTable::getLocalizedString(L"KvGeometry", key, fallback) + std::to_wstring(m_id);
}

WorkGeometry* WorkGeometry::childNamed(const Managed::ManagedGroupEntity& group,
                                       const std::wstring& name) {
    for (const StrongRef<Entity>& child : group.children())
        if (auto* geometry = ::Kv::queryInterface<WorkGeometry>(child.get()))
            if (geometry->userName() == name)
                return geometry;
    return nullptr;
}

void* WorkGeometry::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = Geometry3D::queryInterface(id))
        return base;
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

std::wstring WorkGeometry::onToString() const {
    return (boost::wformat(L"WorkGeometry: (Base %1%)") % Geometry3D::onToString()).str();
}

} // namespace Kv::Geometry
