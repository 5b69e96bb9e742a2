#include "Geometry/workgeometry/OriginWorkGeometry.h"

#include "Geometry/selection/OriginWorkGeometrySelection.h"
#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPoint.h"
#include "Kv/CommonData/IComponent.h"
#include "Kv/DataModel/MemberRegistration.h"

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(OriginWorkGeometry)

StrongRefCreator<OriginWorkGeometry> OriginWorkGeometry::make(IComponent* component) {
    Entity* owner = component ? component->componentEntity() : nullptr;
    if (!owner)
        return {};
    StrongRef<OriginWorkGeometry> origin(new OriginWorkGeometry(owner));
    origin->postCreation(kTransactDo);
    return StrongRefCreator<OriginWorkGeometry>(origin);
}

// The names are stored with each entity, so documents keep them whatever
// language later opens them.
StrongRefCreator<OriginWorkGeometry> OriginWorkGeometry::makeStandard(IComponent* component) {
    StrongRef<OriginWorkGeometry> origin = make(component);
    if (!origin)
        return {};
    const StrongRef<Entity> parent(origin.get());
    WorkPlane::make(parent, ZkGePlane::kYZPlane, true, L"YZ Plane");
    WorkPlane::make(parent, ZkGePlane::kZXPlane, true, L"XZ Plane");
    WorkPlane::make(parent, ZkGePlane::kXYPlane, true, L"XY Plane");
    WorkAxis::make(parent, ZkGeLine3d::kXAxis, true, L"X Axis");
    WorkAxis::make(parent, ZkGeLine3d::kYAxis, true, L"Y Axis");
    WorkAxis::make(parent, ZkGeLine3d::kZAxis, true, L"Z Axis");
    WorkPoint::make(parent, ZkGePoint3d::kOrigin, true, L"Center Point");
    return StrongRefCreator<OriginWorkGeometry>(origin);
}

OriginWorkGeometry::OriginWorkGeometry(Entity* component)
    : ToggledWorkGeometryCollection(component, false) {
    initializeMemberSetIfNeeded();
}

OriginWorkGeometry::OriginWorkGeometry(Segment* segment, uint64_t id)
    : ToggledWorkGeometryCollection(segment, id, false) {
    initializeMemberSetIfNeeded();
}

void OriginWorkGeometry::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "visible", m_visible);
}

void OriginWorkGeometry::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

StrongRef<WorkGeometry> OriginWorkGeometry::originWorkGeometry(unsigned int index) const {
    return childAs<WorkGeometry>(index);
}

StrongRef<LogicalSelection> OriginWorkGeometry::onCreateLogicalSelection(const ObjectPath& path) {
    return OriginWorkGeometrySelection::make(selectedPath(path),
                                             StrongRef<OriginWorkGeometry>(this));
}

void* OriginWorkGeometry::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : ToggledWorkGeometryCollection::queryInterface(id);
}

} // namespace Kv::Geometry
