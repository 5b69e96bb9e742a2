#include "Geometry/workgeometry/WorkAxes.h"

#include "Geometry/workgeometry/WorkAxis.h"
#include "Kv/DataModel/MemberRegistration.h"

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(WorkAxes)

WorkAxes::WorkAxes(Entity* component)
    : WorkGeometryCollection(component) {
    initializeMemberSetIfNeeded();
}

WorkAxes::WorkAxes(Segment* segment, uint64_t id)
    : WorkGeometryCollection(segment, id) {
    initializeMemberSetIfNeeded();
}

void WorkAxes::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "highWaterMark", m_highWaterMark);
}

void WorkAxes::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

StrongRef<WorkAxis> WorkAxes::workAxis(unsigned int index) const {
    return childAs<WorkAxis>(index);
}

void* WorkAxes::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : WorkGeometryCollection::queryInterface(id);
}

} // namespace Kv::Geometry
