#include "Geometry/sketch3d/CurvatureUses.h"

#include "Geometry/curves3d/CurvatureHandle.h"
#include "Geometry/sketch3d/HandleIndexMap.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(CurvatureUses)

StrongRefCreator<CurvatureUses> CurvatureUses::make(const StrongRef<Entity>& parent) {
    if (!parent)
        return {};
    StrongRef<CurvatureUses> uses(new CurvatureUses(parent.get()));
    uses->postCreation(kTransactDo);
    return StrongRefCreator<CurvatureUses>(uses);
}

CurvatureUses::CurvatureUses(Entity* parent)
    : CommonBaseEntity(parent) {
    initializeMemberSetIfNeeded();
}

CurvatureUses::CurvatureUses(Segment* segment, uint64_t id)
    : CommonBaseEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void CurvatureUses::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "geometries", m_geometries);
}

void CurvatureUses::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void CurvatureUses::insert(int index, const StrongRef<CurvatureHandle>& handle) {
    HandleIndexMap<CurvatureHandle>::insert(this, m_geometries, index, handle);
}

void CurvatureUses::remove(int index) {
    HandleIndexMap<CurvatureHandle>::remove(this, m_geometries, index);
}

void CurvatureUses::rearrangeIndex(int index, bool decrement) {
    HandleIndexMap<CurvatureHandle>::rearrangeIndex(this, m_geometries, index, decrement);
}

void* CurvatureUses::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : CommonBaseEntity::queryInterface(id);
}

std::wstring CurvatureUses::onToString() const {
    return (boost::wformat(L"CurvatureUses (base %1%)") % CommonBaseEntity::onToString()).str();
}

} // namespace Kv::Geometry
