#include "Geometry/sketch3d/TangentUses.h"

#include "Geometry/curves3d/TangentHandle.h"
#include "Geometry/sketch3d/HandleIndexMap.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(TangentUses)

StrongRefCreator<TangentUses> TangentUses::make(const StrongRef<Entity>& parent) {
    if (!parent)
        return {};
    StrongRef<TangentUses> uses(new TangentUses(parent.get()));
    uses->postCreation(kTransactDo);
    return StrongRefCreator<TangentUses>(uses);
}

TangentUses::TangentUses(Entity* parent)
    : CommonBaseEntity(parent) {
    initializeMemberSetIfNeeded();
}

TangentUses::TangentUses(Segment* segment, uint64_t id)
    : CommonBaseEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void TangentUses::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "geometries", m_geometries);
}

void TangentUses::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void TangentUses::insert(int index, const StrongRef<TangentHandle>& handle) {
    HandleIndexMap<TangentHandle>::insert(this, m_geometries, index, handle);
}

void TangentUses::remove(int index) {
    HandleIndexMap<TangentHandle>::remove(this, m_geometries, index);
}

void TangentUses::rearrangeIndex(int index, bool decrement) {
    HandleIndexMap<TangentHandle>::rearrangeIndex(this, m_geometries, index, decrement);
}

void* TangentUses::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : CommonBaseEntity::queryInterface(id);
}

std::wstring TangentUses::onToString() const {
    return (boost::wformat(L"TangentUses (base %1%)") % CommonBaseEntity::onToString()).str();
}

} // namespace Kv::Geometry
