#include "Geometry/workgeometry/WorkPlanes.h"

#include "Geometry/workgeometry/WorkPlane.h"
#include "Kv/DataModel/MemberRegistration.h"

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(WorkPlanes)

WorkPlanes::WorkPlanes(Entity* component)
    : WorkGeometryCollection(component) {
    initializeMemberSetIfNeeded();
}

WorkPlanes::WorkPlanes(Segment* segment, uint64_t id)
    : WorkGeometryCollection(segment, id) {
    initializeMemberSetIfNeeded();
}

void WorkPlanes::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "highWaterMark", m_highWaterMark);
}

void WorkPlanes::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

StrongRef<WorkPlane> WorkPlanes::workPlane(unsigned int index) const {
    return childAs<WorkPlane>(index);
}

void* WorkPlanes::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : WorkGeometryCollection::queryInterface(id);
}

} // namespace Kv::Geometry
