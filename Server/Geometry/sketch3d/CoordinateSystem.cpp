#include "Geometry/sketch3d/CoordinateSystem.h"

#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "ZkGeFormat.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(CoordinateSystem)

StrongRefCreator<CoordinateSystem> CoordinateSystem::make(Segment* segment) {
    if (!segment)
        return {};
    StrongRef<CoordinateSystem> system(new CoordinateSystem(segment));
    system->postCreation(kTransactDo);
    return StrongRefCreator<CoordinateSystem>(system);
}

StrongRefCreator<CoordinateSystem> CoordinateSystem::make(const StrongRef<Entity>& parent) {
    if (!parent)
        return {};
    StrongRef<CoordinateSystem> system(new CoordinateSystem(parent.get()));
    system->postCreation(kTransactDo);
    return StrongRefCreator<CoordinateSystem>(system);
}

CoordinateSystem::CoordinateSystem(Entity* parent) : CommonBaseEntity(parent) {
    initializeMemberSetIfNeeded();
}

CoordinateSystem::CoordinateSystem(Segment* segment) : CommonBaseEntity(segment) {
    initializeMemberSetIfNeeded();
}

CoordinateSystem::CoordinateSystem(Segment* segment, uint64_t id)
    : CommonBaseEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void CoordinateSystem::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "transform", m_transform);
}

void CoordinateSystem::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void CoordinateSystem::transform(const ZkGeMatrix3d& transform) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_transform = transform;
}

void* CoordinateSystem::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : CommonBaseEntity::queryInterface(id);
}

std::wstring CoordinateSystem::onToString() const {
    return (boost::wformat(L"CoordinateSystem %1% (base %2%)") %
            ZkGeFormat::toString(m_transform).c_str() % CommonBaseEntity::onToString())
        .str();
}

} // namespace Kv::Geometry
