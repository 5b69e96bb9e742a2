#include "Geometry/workgeometry/WorkPlane.h"

#include "Geometry/selection/WorkPlaneExtentLineSelection.h"
#include "Geometry/selection/WorkPlaneExtentPointSelection.h"
#include "Geometry/selection/WorkPlaneSelection.h"
#include "Geometry/workgeometry/WorkGeometries.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/Scene/BuildSimpleMesh.h"
#include "Kv/Scene/EnvironmentEventSource.h"
#include "Kv/Scene/EnvironmentManager.h"
#include "Kv/Scene/NodeChange.h"
#include "Wyn/Objects/BBox.h"
#include "ZkGeBoundBlock2d.h"
#include "ZkGeLine3d.h"
#include "ZkGeMatrix3d.h"

#include <boost/format.hpp>

#include <tuple>
#include <utility>

namespace Kv::Geometry {
namespace {

// How near (in pixels) a pick must come to a corner or an edge of the drawn
// rectangle to take that handle instead of the plane.
constexpr double kCornerPickRadius = 15.0;
constexpr double kEdgePickRadius = 10.0;

// Distance on screen from `point` to the unbounded line through `a` and `b`
// (to `a` when the two coincide, as for a plane seen edge-on).
double lineDistance(const ZkGePoint3d& a, const ZkGePoint3d& b, const ZkGePoint3d& point) {
    if (a.isEqualTo(b))
        return a.distanceTo(point);
    return ZkGeLine3d(a, b - a).distanceTo(point);
}

} // namespace

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
    Scene::EnvironmentEventSource::subscribe(this);
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
    Scene::EnvironmentEventSource::subscribe(this);
}

WorkPlane::WorkPlane(Segment* segment, uint64_t id)
    : WorkGeometry(segment, id) {
    initializeMemberSetIfNeeded();
    Scene::EnvironmentEventSource::subscribe(this);
}

WorkPlane::~WorkPlane() {
    Scene::EnvironmentEventSource::unsubscribe(this);
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

void WorkPlane::setOnePointExtent(const ZkGePoint3d& point, WorkPlaneExtentPointType type) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    const ZkGePoint2d param = paramOf(point);
    switch (type) {
    case kLowerLeftCorner:
        m_llParam = param;
        break;
    case kLowerRightCorner:
        m_urParam.x = param.x;
        m_llParam.y = param.y;
        break;
    case kUpperLeftCorner:
        m_llParam.x = param.x;
        m_urParam.y = param.y;
        break;
    case kUpperRightCorner:
        m_urParam = param;
        break;
    }
}

void WorkPlane::setOneLineExtent(const ZkGePoint3d& point, WorkPlaneExtentLineType type) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    const ZkGePoint2d param = paramOf(point);
    switch (type) {
    case kLeftEdge:
        m_llParam.x = param.x;
        break;
    case kRightEdge:
        m_urParam.x = param.x;
        break;
    case kBottomEdge:
        m_llParam.y = param.y;
        break;
    case kTopEdge:
        m_urParam.y = param.y;
        break;
    }
}

void WorkPlane::calculateExtentFromProjectionDirection(ZkGePoint3d& point, ZkGeVector3d direction,
                                                       const ZkGeMatrix3d& toWorld) const {
    const ZkGeMatrix3d toLocal = toWorld.inverse();
    point.transformBy(toLocal);
    direction.transformBy(toLocal);
    point = point.project(m_plane, direction);
}

int WorkPlane::extentHandleAt(const ZkGePoint3d& hit, const ScreenProjection& toScreen) const {
    if (isOrigin())
        return 0;
    ZkGePoint3d lowerLeft, upperLeft, lowerRight, upperRight;
    getAllExtents(lowerLeft, upperLeft, lowerRight, upperRight);
    const ZkGePoint3d at = onScreen(toScreen, hit);
    const ZkGePoint3d ll = onScreen(toScreen, lowerLeft), ul = onScreen(toScreen, upperLeft),
                      lr = onScreen(toScreen, lowerRight), ur = onScreen(toScreen, upperRight);
    const std::pair<int, ZkGePoint3d> corners[] = {{kLowerLeftCorner, ll},
                                                   {kUpperLeftCorner, ul},
                                                   {kLowerRightCorner, lr},
                                                   {kUpperRightCorner, ur}};
    for (const auto& [handle, corner] : corners)
        if (corner.distanceTo(at) < kCornerPickRadius)
            return handle;
    const std::tuple<int, ZkGePoint3d, ZkGePoint3d> edges[] = {
        {kLeftEdge, ul, ll}, {kRightEdge, ur, lr}, {kBottomEdge, lr, ll}, {kTopEdge, ur, ul}};
    for (const auto& [handle, from, to] : edges)
        if (lineDistance(from, to, at) < kEdgePickRadius)
            return handle;
    return 0;
}

void WorkPlane::realizeGeometry(Scene::NodeChange& change) {
    ZkGePoint3d lowerLeft, upperLeft, lowerRight, upperRight;
    getAllExtents(lowerLeft, upperLeft, lowerRight, upperRight);
    const ZkGePoint3d corners[] = {lowerLeft, lowerRight, upperRight, upperLeft};
    std::vector<Point3f> positions;
    Wyn::Objects::BBox box;
    for (const ZkGePoint3d& corner : corners) {
        positions.emplace_back(float(corner.x), float(corner.y), float(corner.z));
        box.extend(corner);
    }
    const ZkGeVector3d normal = m_plane.normal();
    const std::vector<Point3f> normals(4,
                                       Point3f(float(normal.x), float(normal.y), float(normal.z)));
    const std::vector<Scene::TexCoord> texture{{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    const std::vector<unsigned> indices{0, 1, 2, 2, 3, 0};
    change.geometry(Scene::BuildSimpleMesh(4, positions, normals, texture, indices), 15);
    box.radius(-1.0);
    change.modelBox(box);
}

// Origin planes keep a fixed size on screen about their origin.
void WorkPlane::realizeAppearance(Scene::NodeChange& change) {
    applyActiveEnvironmentColors();
    applyOccludedEffect(change);
    if (isVisible())
        change.removeAttribute(0);
    else
        change.visibility(false);
    if (isOrigin())
        change.pixelScale(50.0, 1.0, m_plane.pointOnPlane());
    change.depthPriority(1);
    change.nodeFlags(0x100000);
    change.nodeFlags(0x80000);
}

void WorkPlane::activeEnvironmentChanged(Event*) {
    if (applyActiveEnvironmentColors() && sceneNode()) {
        Scene::NodeChange change(sceneNode());
        applyOccludedEffect(change);
    }
}

bool WorkPlane::applyActiveEnvironmentColors() {
    const Color previous = m_color;
    m_color =
        Scene::EnvironmentManager::getEnvManager().activeEnvironment()->workPlaneColor().toColor();
    return m_color != previous;
}

void WorkPlane::applyOccludedEffect(Scene::NodeChange& change) const {
    change.occludedEffect("", m_color, 1.0, 0.4);
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

ZkGePoint3d WorkPlane::nominalPoint() const {
    return m_plane.pointOnPlane();
}

StrongRef<LogicalSelection> WorkPlane::onCreateLogicalSelection(const ObjectPath& path) {
    const StrongRef<LogicalSelection> picked = WorkGeometry::onCreateLogicalSelection(path);
    if (!picked)
        return picked;
    const uint64_t handle = picked->path().qualifier();
    const StrongRef<WorkPlane> self(this);
    if (handle >= kLowerLeftCorner && handle <= kUpperRightCorner)
        return WorkPlaneExtentPointSelection::make(picked->path(), self);
    if (handle >= kLeftEdge && handle <= kTopEdge)
        return WorkPlaneExtentLineSelection::make(picked->path(), self);
    return WorkPlaneSelection::make(picked->path(), self);
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
