#include "Geometry/workgeometry/WorkGeometry.h"

#include "Geometry/workgeometry/WorkGeometries.h"
#include "Kv/Base/StringTable.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/Scene/NodeChange.h"
#include "Kv/Selection/LogicalSelection.h"
#include "ZkGeMatrix3d.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(WorkGeometry)

WorkGeometry::WorkGeometry(Entity* parent)
    : Geometry3D(parent) {
    initializeMemberSetIfNeeded();
}

WorkGeometry::WorkGeometry(Entity* parent, bool isOrigin, const std::wstring& originName)
    : Geometry3D(parent)
    , m_isOrigin(isOrigin)
    , m_originName(originName) {
    initializeMemberSetIfNeeded();
}

WorkGeometry::WorkGeometry(Segment* segment, uint64_t id)
    : Geometry3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void WorkGeometry::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "id", m_id);
    registerMember(memberSet, "isOrigin", m_isOrigin);
    registerMember(memberSet, "originName", m_originName);
}

void WorkGeometry::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void WorkGeometry::setUserId(int id) {
    EntityChange change(this, kTransactDo, kChangeCounters, 3, nullptr, true);
    m_id = id;
}

bool WorkGeometry::onCanDelete(const ObjectPath& path) {
    return !m_isOrigin && Geometry3D::onCanDelete(path);
}

bool WorkGeometry::onCanReorder(const std::vector<ObjectPath>& paths,
                                const ObjectPath& target) const {
    for (const ObjectPath& path : paths) {
        if (path == target)
            return false;
        auto* geometry = ::Kv::queryInterface<WorkGeometry>(path.leaf());
        if (geometry && geometry->parentEntity() == parentEntity())
            return true;
    }
    return false;
}

DataModel::IPasteSink* WorkGeometry::componentPasteSink() const {
    auto* collection = ::Kv::queryInterface<WorkGeometries>(parentEntity());
    return collection ? ::Kv::queryInterface<DataModel::IPasteSink>(collection->parentEntity())
                      : nullptr;
}

Request* WorkGeometry::onProvidePasteRequest(const std::vector<ObjectPath>& pasted,
                                             const ObjectPath& target, bool isCut, bool isClone,
                                             bool isReorder) {
    DataModel::IPasteSink* sink = componentPasteSink();
    return sink ? sink->onProvidePasteRequest(pasted, target, isCut, isClone, isReorder) : nullptr;
}

bool WorkGeometry::onCanPaste(const std::vector<ObjectPath>& pasted, const ObjectPath& target,
                              bool isCut, bool isReorder) {
    DataModel::IPasteSink* sink = componentPasteSink();
    return sink && sink->onCanPaste(pasted, target, isCut, isReorder);
}

StrongRef<LogicalSelection>
WorkGeometry::onCreateViewDependentLogicalSelection(const ObjectPath& path, const ZkGePoint3d* hit,
                                                    const ScreenProjection& toScreen) {
    const bool namesHandle =
        path.qualifier() >= 1 && path.qualifier() <= uint64_t(extentHandleCount());
    const int handle = namesHandle || !hit ? 0 : extentHandleAt(*hit, toScreen);
    if (handle == 0)
        return onCreateLogicalSelection(path);
    ObjectPath qualified = path;
    qualified.qualify(handle);
    return onCreateLogicalSelection(qualified);
}

ZkGePoint3d WorkGeometry::onScreen(const ScreenProjection& toScreen, const ZkGePoint3d& point) {
    ZkGePoint3d screen = toScreen(point);
    screen.z = 0.0;
    return screen;
}

bool WorkGeometry::onProvideNominalHitInfo(const LogicalSelection*, const ZkGeMatrix3d& transform,
                                           ZkGePoint3d& point, ZkGeMatrix3d& pointTransform) const {
    point = nominalPoint();
    pointTransform = transform;
    return true;
}

bool WorkGeometry::modelHitPoint(const LogicalSelection& selection, ZkGePoint3d& point) const {
    ZkGeMatrix3d pointTransform;
    if (!onProvideNominalHitInfo(&selection, selection.modelTransform(), point, pointTransform))
        return false;
    point.transformBy(pointTransform);
    return true;
}

void WorkGeometry::onCreateGeometryNode(Scene::NodeChange& change) {
    Geometry3D::onCreateGeometryNode(change);
    change.clientType(kClientType);
}

std::wstring WorkGeometry::userName() const {
    return L"WG";
}

std::wstring WorkGeometry::nameFromNumber(const std::string& key,
                                          const std::wstring& fallback) const {
    if (m_isOrigin)
        return m_originName;
    return StringTable::getLocalizedString(L"KvGeometry", key, fallback) + std::to_wstring(m_id);
}

WorkGeometry* WorkGeometry::childNamed(const Managed::ManagedGroupEntity& group,
                                       const std::wstring& name) {
    for (const StrongRef<Entity>& child : group.children())
        if (auto* geometry = ::Kv::queryInterface<WorkGeometry>(child.get()))
            if (geometry->userName() == name)
                return geometry;
    return nullptr;
}

void* WorkGeometry::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = Geometry3D::queryInterface(id))
        return base;
    if (id == IPasteSource::interfaceId())
        return static_cast<IPasteSource*>(this);
    if (id == IPasteSink::interfaceId())
        return static_cast<IPasteSink*>(this);
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

std::wstring WorkGeometry::onToString() const {
    return (boost::wformat(L"WorkGeometry: (Base %1%)") % Geometry3D::onToString()).str();
}

} // namespace Kv::Geometry
