#include "Geometry/workgeometry/WorkPlane.h"

#include "Geometry/workgeometry/WorkGeometries.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"
#include "ZkGeBoundBlock2d.h"
#include "ZkGeMatrix3d.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(WorkPlane)

StrongRefCreator<WorkPlane> WorkPlane::make(const StrongRef<Entity>& parent,
                                            const ZkGePlane& plane) {
    if (!parent)
        return {};
    StrongRef<WorkPlane> workPlane(new WorkPlane(parent.get(), plane));
    workPlane->postCreation(kTransactDo);
    return StrongRefCreator<WorkPlane>(workPlane);
}

StrongRefCreator<WorkPlane> WorkPlane::make(const StrongRef<Entity>& parent,
                                            const ZkGePoint3d& origin, const ZkGeVector3d& uAxis,
                                            const ZkGeVector3d& vAxis) {
    return make(parent, ZkGePlane(origin, uAxis.crossProduct(vAxis)));
}

StrongRefCreator<WorkPlane> WorkPlane::make(const StrongRef<Entity>& parent, const ZkGePlane& plane,
                                            bool isOrigin, const std::wstring& originName) {
    if (!parent)
        return {};
    StrongRef<WorkPlane> workPlane(new WorkPlane(parent.get(), plane, isOrigin, originName));
    workPlane->postCreation(kTransactDo);
    return StrongRefCreator<WorkPlane>(workPlane);
}

StrongRef<WorkPlane> WorkPlane::findOrMake(const StrongRef<Entity>& parent,
                                           const ZkGePlane& plane) {
    if (auto* group = ::Kv::queryInterface<Managed::ManagedGroupEntity>(parent.get()))
        for (const StrongRef<Entity>& child : group->children())
            if (auto* workPlane = ::Kv::queryInterface<WorkPlane>(child.get()))
                if (workPlane->plane().isEqualTo(plane))
                    return StrongRef<WorkPlane>(workPlane);
    return make(parent, plane);
}

WorkPlane::WorkPlane(Entity* parent, const ZkGePlane& plane)
    : WorkGeometry(parent)
    , m_plane(plane) {
    if (auto* collection = ::Kv::queryInterface<WorkGeometries>(parent))
        setUserId(collection->getNextWorkPlaneID());
    initializeMemberSetIfNeeded();
}

// Origin planes are drawn as small squares near the origin, out of the way of
// the model.
WorkPlane::WorkPlane(Entity* parent, const ZkGePlane& plane, bool isOrigin,
                     const std::wstring& originName)
    : WorkGeometry(parent, isOrigin, originName)
    , m_plane(plane)
    , m_llParam(0.25, 0.25)
    , m_urParam(2.0, 2.0) {
    initializeMemberSetIfNeeded();
}

WorkPlane::WorkPlane(Segment* segment, uint64_t id)
    : WorkGeometry(segment, id) {
    initializeMemberSetIfNeeded();
}

void WorkPlane::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "plane", m_plane);
    registerMember(memberSet, "llParam", m_llParam);
    registerMember(memberSet, "urParam", m_urParam);
}

void WorkPlane::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

ZkGePoint3d WorkPlane::evalPoint(const ZkGePoint2d& param) const {
    ZkGePoint3d origin;
    ZkGeVector3d uAxis, vAxis;
    m_plane.getCoordSystem(origin, uAxis, vAxis);
    return origin + uAxis * param.x + vAxis * param.y;
}

ZkGePoint2d WorkPlane::paramOf(const ZkGePoint3d& point) const {
    ZkGePoint3d origin;
    ZkGeVector3d uAxis, vAxis;
    m_plane.getCoordSystem(origin, uAxis, vAxis);
    const ZkGeVector3d offset = m_plane.closestPointTo(point) - origin;
    return ZkGePoint2d(offset.dotProduct(uAxis), offset.dotProduct(vAxis));
}

void WorkPlane::plane(const ZkGePlane& plane) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_plane = plane;
}

void WorkPlane::size(ZkGePoint2d& lowerLeft, ZkGePoint2d& upperRight) const {
    lowerLeft = m_llParam;
    upperRight = m_urParam;
}

void WorkPlane::getExtents(ZkGePoint3d& lowerLeft, ZkGePoint3d& upperRight) const {
    lowerLeft = evalPoint(m_llParam);
    upperRight = evalPoint(m_urParam);
}

void WorkPlane::getAllExtents(ZkGePoint3d& lowerLeft, ZkGePoint3d& upperLeft,
                              ZkGePoint3d& lowerRight, ZkGePoint3d& upperRight) const {
    lowerLeft = evalPoint(m_llParam);
    upperLeft = evalPoint(ZkGePoint2d(m_llParam.x, m_urParam.y));
    lowerRight = evalPoint(ZkGePoint2d(m_urParam.x, m_llParam.y));
    upperRight = evalPoint(m_urParam);
}

void WorkPlane::setExtents(const ZkGePoint3d& min, const ZkGePoint3d& max) {
    if (isOrigin())
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    ZkGeBoundBlock2d extent(paramOf(min), paramOf(max));
    for (const ZkGePoint3d& corner :
         {ZkGePoint3d(max.x, min.y, min.z), ZkGePoint3d(min.x, max.y, min.z),
          ZkGePoint3d(max.x, max.y, min.z), ZkGePoint3d(min.x, min.y, max.z),
          ZkGePoint3d(max.x, min.y, max.z), ZkGePoint3d(min.x, max.y, max.z)})
        extent.extend(paramOf(corner));
    m_llParam = extent.minPoint();
    m_urParam = extent.maxPoint();
}

void WorkPlane::scaleExtents(double factor) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    const ZkGeVector2d growth = (m_urParam - m_llParam) * factor;
    m_llParam -= growth;
    m_urParam += growth;
}

// The normal comes from the transformed in-plane axes, which stays right under
// non-uniform scaling where a transformed normal would not.
void WorkPlane::onTransformBy(const ZkGeMatrix3d& transform) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    ZkGePoint3d origin;
    ZkGeVector3d uAxis, vAxis;
    m_plane.getCoordSystem(origin, uAxis, vAxis);
    origin.transformBy(transform);
    uAxis.transformBy(transform);
    vAxis.transformBy(transform);
    m_plane.set(origin, uAxis.crossProduct(vAxis));
}

void WorkPlane::onTranslate(const ZkGeVector3d& offset) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_plane.set(m_plane.pointOnPlane() + offset, m_plane.normal());
}

std::wstring WorkPlane::userName() const {
    return nameFromNumber("WorkPlaneDefaultName", L"Plane");
}

bool WorkPlane::getOnk(Onk& key) {
    key.setName(L"WorkPlane");
    key.setRepresentation(userName());
    return true;
}

void* WorkPlane::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : WorkGeometry::queryInterface(id);
}

std::wstring WorkPlane::onToString() const {
    const ZkGePoint3d origin = m_plane.pointOnPlane();
    return (boost::wformat(L"WorkPlane at (%1%, %2%) (Base %3%)") % origin.x % origin.y %
            WorkGeometry::onToString())
        .str();
}

} // namespace Kv::Geometry
