#include "Geometry/sketch3d/CurveUses.h"

#include "Geometry/curves3d/Curve3D.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <algorithm>
#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(CurveUses)

StrongRefCreator<CurveUses> CurveUses::make(const StrongRef<Entity>& parent) {
    if (!parent)
        return {};
    StrongRef<CurveUses> uses(new CurveUses(parent.get()));
    uses->postCreation(kTransactDo);
    return StrongRefCreator<CurveUses>(uses);
}

CurveUses::CurveUses(Entity* parent)
    : CommonBaseEntity(parent) {
    initializeMemberSetIfNeeded();
}

CurveUses::CurveUses(Segment* segment, uint64_t id)
    : CommonBaseEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void CurveUses::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "geometries", m_geometries);
}

void CurveUses::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void CurveUses::add(const PassiveRef<Curve3D>& curve) {
    if (contains(curve))
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_geometries.push_back(curve);
}

void CurveUses::remove(const PassiveRef<Curve3D>& curve) {
    auto it = std::find(m_geometries.begin(), m_geometries.end(), curve);
    if (it == m_geometries.end())
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_geometries.erase(it);
}

bool CurveUses::contains(const PassiveRef<Curve3D>& curve) const {
    return std::find(m_geometries.begin(), m_geometries.end(), curve) != m_geometries.end();
}

void* CurveUses::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : CommonBaseEntity::queryInterface(id);
}

std::wstring CurveUses::onToString() const {
    return (boost::wformat(L"CurveUses (base %1%)") % CommonBaseEntity::onToString()).str();
}

} // namespace Kv::Geometry
