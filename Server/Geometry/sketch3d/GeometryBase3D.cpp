#include "Geometry/sketch3d/GeometryBase3D.h"

#include "Geometry/selection/Geometry3DSelection.h"

#include "Geometry/sketch3d/GeometryGroup3D.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(GeometryBase3D)

GeometryBase3D::GeometryBase3D(Entity* parent)
    : CommonBaseGroupEntity(parent) {
    initializeMemberSetIfNeeded();
}

GeometryBase3D::GeometryBase3D(Segment* segment)
    : CommonBaseGroupEntity(segment)
    , m_lineThickness(2.0f) {
    initializeMemberSetIfNeeded();
}

GeometryBase3D::GeometryBase3D(Segment* segment, uint64_t id)
    : CommonBaseGroupEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void GeometryBase3D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "lineThickness", m_lineThickness);
    registerMember(memberSet, "lineColor", m_lineColor);
    registerMember(memberSet, "fillColor", m_fillColor);
    registerMember(memberSet, "visible", m_visible);
    registerMember(memberSet, "zOrder", m_zOrder);
}

void GeometryBase3D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void GeometryBase3D::onLineThickness(float thickness) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    m_lineThickness = thickness;
}

void GeometryBase3D::onLineColor(const Color& color) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    m_lineColor = color;
}

void GeometryBase3D::onFillColor(const Color& color) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    m_fillColor = color;
}

void GeometryBase3D::onIsVisible(bool visible) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    m_visible = visible;
}

void GeometryBase3D::onZOrder(unsigned int order) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    m_zOrder = order;
}

// Preview drawing is a passing state of an interactive command: neither
// persisted nor undone.
void GeometryBase3D::onDrawForPreview(bool preview) {
    m_drawForPreview = preview;
}

StrongRef<Sketch> GeometryBase3D::sketch() const {
    Entity* parent = parentEntity();
    if (auto* owner = ::Kv::queryInterface<Sketch>(parent))
        return StrongRef<Sketch>(owner);
    if (auto* group = ::Kv::queryInterface<GeometryGroup3D>(parent))
        return group->sketch();
    return {};
}

GeometryGroup3D* GeometryBase3D::parentGeometryGroup3D() const {
    return ::Kv::queryInterface<GeometryGroup3D>(parentEntity());
}

void GeometryBase3D::onPostCreation(int kind) {
    CommonBaseGroupEntity::onPostCreation(kind);
    connectScene();
}

void GeometryBase3D::onPostChange(const EntityChange& change) {
    CommonBaseGroupEntity::onPostChange(change);
    onPostChangeScene(change.changeType());
}

void GeometryBase3D::onPreDeletion(int kind) {
    disconnectScene();
    CommonBaseGroupEntity::onPreDeletion(kind);
}

bool GeometryBase3D::isVisible(CommonData::IComponentTraversalContext*) {
    return m_visible;
}

bool GeometryBase3D::toggleVisibility(const ObjectPath&) {
    onIsVisible(!m_visible);
    return true;
}

void* GeometryBase3D::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = CommonBaseGroupEntity::queryInterface(id))
        return base;
    if (id == IComponentObject::interfaceId())
        return static_cast<IComponentObject*>(this);
    if (id == INodeSource::interfaceId())
        return static_cast<INodeSource*>(this);
    if (id == ILogicalSelectionSource::interfaceId())
        return static_cast<ILogicalSelectionSource*>(this);
    return id == IVisibilityToggle::interfaceId() ? static_cast<IVisibilityToggle*>(this) : nullptr;
}

StrongRef<LogicalSelection> GeometryBase3D::onCreateLogicalSelection(const ObjectPath& path) {
    if (m_drawForPreview)
        return {};
    ObjectPath picked = path;
    if (isFinalLogicalSelectionSource(picked))
        picked.pop_to(this);
    return Geometry3DSelection::make(picked, StrongRef<GeometryBase3D>(this));
}

std::wstring GeometryBase3D::onToString() const {
    return CommonBaseGroupEntity::onToString();
}

} // namespace Kv::Geometry
