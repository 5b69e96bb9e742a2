#include "Geometry/workgeometry/WorkPoints.h"

#include "Geometry/workgeometry/WorkPoint.h"
#include "Kv/DataModel/MemberRegistration.h"

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(WorkPoints)

WorkPoints::WorkPoints(Entity* component)
    : WorkGeometryCollection(component) {
    initializeMemberSetIfNeeded();
}

WorkPoints::WorkPoints(Segment* segment, uint64_t id)
    : WorkGeometryCollection(segment, id) {
    initializeMemberSetIfNeeded();
}

void WorkPoints::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "highWaterMark", m_highWaterMark);
}

void WorkPoints::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

StrongRef<WorkPoint> WorkPoints::workpoint(unsigned int index) const {
    return childAs<WorkPoint>(index);
}

void* WorkPoints::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : WorkGeometryCollection::queryInterface(id);
}

} // namespace Kv::Geometry
