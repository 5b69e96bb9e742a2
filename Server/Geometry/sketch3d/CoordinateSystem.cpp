#include "Geometry/sketch3d/CoordinateSystem.h"

#include "Geometry/sketch3d/Sketch.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

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

CoordinateSystem::CoordinateSystem(Entity* parent)
    : CommonBaseEntity(parent) {
    initializeMemberSetIfNeeded();
}

CoordinateSystem::CoordinateSystem(Segment* segment)
    : CommonBaseEntity(segment) {
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

void CoordinateSystem::alignWithOtherCoordSystem(const StrongRef<CoordinateSystem>& other) {
    if (other)
        transform(other->transform());
}

void CoordinateSystem::setCoordSystem(const ZkGePoint3d& origin, const ZkGeVector3d& xAxis,
                                      const ZkGeVector3d& yAxis, const ZkGeVector3d& zAxis) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_transform.setCoordSystem(origin, xAxis, yAxis, zAxis);
}

void CoordinateSystem::coordSystem(ZkGePoint3d& origin, ZkGeVector3d& xAxis, ZkGeVector3d& yAxis,
                                   ZkGeVector3d& zAxis) const {
    m_transform.getCoordSystem(origin, xAxis, yAxis, zAxis);
}

ZkGePoint3d CoordinateSystem::origin() const {
    const ZkGeVector3d t = m_transform.translation();
    return ZkGePoint3d(t.x, t.y, t.z);
}

void CoordinateSystem::origin(const ZkGePoint3d& origin) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_transform.setToTranslation(ZkGeVector3d(origin.x, origin.y, origin.z));
}

ZkGeVector3d CoordinateSystem::column(int index) const {
    return ZkGeVector3d(m_transform(0, index), m_transform(1, index), m_transform(2, index));
}

void CoordinateSystem::column(int index, const ZkGeVector3d& axis) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_transform(0, index) = axis.x;
    m_transform(1, index) = axis.y;
    m_transform(2, index) = axis.z;
}

void CoordinateSystem::onPostChange(const EntityChange& change) {
    CommonBaseEntity::onPostChange(change);
    if (StrongRef<Sketch> placed = sketch())
        placed->revalidate(kChangeGeometry);
}

StrongRef<Sketch> CoordinateSystem::sketch() const {
    return StrongRef<Sketch>(::Kv::queryInterface<Sketch>(parentEntity()));
}

void* CoordinateSystem::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : CommonBaseEntity::queryInterface(id);
}

std::wstring CoordinateSystem::onToString() const {
    return CommonBaseEntity::onToString();
}

} // namespace Kv::Geometry
