#include "Geometry/sketch2d/GeometryBase2D.h"

#include "Geometry/selection/Geometry2DSelection.h"
#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Sketch2D.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/Scene/NodeChange.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(GeometryBase2D)

GeometryBase2D::GeometryBase2D(Entity* parent)
    : CommonBaseGroupEntity(parent) {
    initializeMemberSetIfNeeded();
}

GeometryBase2D::GeometryBase2D(Segment* segment, uint64_t id)
    : CommonBaseGroupEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void GeometryBase2D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "lineThickness", m_lineThickness);
    registerMember(memberSet, "lineColor", m_lineColor);
    registerMember(memberSet, "fillColor", m_fillColor);
    registerMember(memberSet, "visible", m_visible);
    registerMember(memberSet, "zOrder", m_zOrder);
}

void GeometryBase2D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

// The drawn outline is built with the thickness, so a change of it is
// announced as a change of the item's properties, not of its colours only.
void GeometryBase2D::onLineThickness(float thickness) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_lineThickness = thickness;
}

void GeometryBase2D::onLineColor(const Color& color) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    m_lineColor = color;
}

void GeometryBase2D::onFillColor(const Color& color) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    m_fillColor = color;
}

void GeometryBase2D::onIsVisible(bool visible) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    m_visible = visible;
}

void GeometryBase2D::onZOrder(unsigned int order) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    m_zOrder = order;
}

// Preview is a passing state of an interactive command: observers hear of it,
// but it is neither persisted nor undone. A preview draws as a thin strip
// instead of a band, so the drawn geometry is rebuilt too.
void GeometryBase2D::onDrawForPreview(bool preview) {
    {
        EntityChange change(this, kTransactNoUndo, kChangeAppearance, 3, nullptr, true);
        m_drawForPreview = preview;
    }
    revalidate(kChangeGeometry);
}

void GeometryBase2D::addChildNode(Scene::NodeChange& change, Entity* child) {
    auto* geometry = ::Kv::queryInterface<GeometryBase2D>(child);
    if (!geometry || !geometry->needsSceneNode())
        return;
    if (Wyn::Graphics::ARenderNode* node = geometry->createScene())
        change.addChild(node);
}

void GeometryBase2D::onPostCreation(int kind) {
    CommonBaseGroupEntity::onPostCreation(kind);
    if (needsSceneNode())
        connectScene();
}

void GeometryBase2D::onPreDeletion(int kind) {
    disconnectScene();
    CommonBaseGroupEntity::onPreDeletion(kind);
}

void GeometryBase2D::onPostChange(const EntityChange& change) {
    CommonBaseGroupEntity::onPostChange(change);
    onPostChangeScene(change.changeType());
}

StrongRef<Sketch2D> GeometryBase2D::sketch2D() const {
    Entity* parent = parentEntity();
    if (auto* sketch = ::Kv::queryInterface<Sketch2D>(parent))
        return StrongRef<Sketch2D>(sketch);
    if (auto* group = ::Kv::queryInterface<GeometryGroup2D>(parent))
        return group->sketch2D();
    return {};
}

StrongRef<GeometryGroup2D> GeometryBase2D::parentGeometryGroup2D() const {
    return StrongRef<GeometryGroup2D>(::Kv::queryInterface<GeometryGroup2D>(parentEntity()));
}

bool GeometryBase2D::getOnk(Onk& key) {
    const std::wstring tag = onkTag();
    if (tag.empty())
        return false;
    key.setName((boost::wformat(L"%1%:%2%:%3%") % tag % segment()->key() % id()).str());
    return true;
}

void* GeometryBase2D::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = CommonBaseGroupEntity::queryInterface(id))
        return base;
    if (id == INodeSource::interfaceId())
        return static_cast<INodeSource*>(this);
    if (id == ILogicalSelectionSource::interfaceId())
        return static_cast<ILogicalSelectionSource*>(this);
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

StrongRef<LogicalSelection> GeometryBase2D::onCreateLogicalSelection(const ObjectPath& path) {
    if (drawForPreview())
        return {};
    ObjectPath picked = path;
    if (isFinalLogicalSelectionSource(picked))
        picked.pop_to(this);
    return Geometry2DSelection::make(picked, StrongRef<GeometryBase2D>(this));
}

std::wstring GeometryBase2D::onToString() const {
    return CommonBaseGroupEntity::onToString();
}

} // namespace Kv::Geometry
