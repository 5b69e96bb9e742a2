#include "Geometry/sketch3d/GeometryBase3D.h"

#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(GeometryBase3D)

GeometryBase3D::GeometryBase3D(Entity* parent) : CommonBaseGroupEntity(parent) {
    initializeMemberSetIfNeeded();
}

GeometryBase3D::GeometryBase3D(Segment* segment)
    : CommonBaseGroupEntity(segment), m_lineThickness(2.0f) {
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
void GeometryBase3D::onDrawForPreview(bool preview) { m_drawForPreview = preview; }

void* GeometryBase3D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : CommonBaseGroupEntity::queryInterface(id);
}

std::wstring GeometryBase3D::onToString() const { return CommonBaseGroupEntity::onToString(); }

} // namespace Kv::Geometry
