#include "Geometry/sketch3d/GeometryGroup3D.h"

#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/Scene/NodeChange.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(GeometryGroup3D)

StrongRefCreator<GeometryGroup3D> GeometryGroup3D::make(const PassiveRef<Entity>& parent) {
    Entity* owner = parent.getTarget();
    if (!owner)
        return {};
    StrongRef<GeometryGroup3D> group(new GeometryGroup3D(owner));
    group->postCreation(kTransactDo);
    return StrongRefCreator<GeometryGroup3D>(group);
}

GeometryGroup3D::GeometryGroup3D(Entity* parent)
    : GeometryBase3D(parent) {
    initializeMemberSetIfNeeded();
}

GeometryGroup3D::GeometryGroup3D(Segment* segment, uint64_t id)
    : GeometryBase3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void GeometryGroup3D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

StrongRef<GeometryBase3D> GeometryGroup3D::geometryBase3D(size_t index) const {
    return StrongRef<GeometryBase3D>(::Kv::queryInterface<GeometryBase3D>(child(index).get()));
}

template <class Write, class Forward>
void GeometryGroup3D::propagate(Write write, Forward forward) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    write();
    for (const auto& c : children())
        if (auto* geometry = ::Kv::queryInterface<GeometryBase3D>(c.get()))
            forward(*geometry);
}

void GeometryGroup3D::onLineThickness(float thickness) {
    propagate([&] { lineThicknessField() = thickness; },
              [&](GeometryBase3D& g) { g.lineThickness(thickness); });
}

void GeometryGroup3D::onLineColor(const Color& color) {
    propagate([&] { lineColorField() = color; }, [&](GeometryBase3D& g) { g.lineColor(color); });
}

void GeometryGroup3D::onFillColor(const Color& color) {
    propagate([&] { fillColorField() = color; }, [&](GeometryBase3D& g) { g.fillColor(color); });
}

void GeometryGroup3D::onIsVisible(bool visible) {
    propagate([&] { visibleField() = visible; }, [&](GeometryBase3D& g) { g.isVisible(visible); });
}

void GeometryGroup3D::onZOrder(unsigned int order) {
    propagate([&] { zOrderField() = order; }, [&](GeometryBase3D& g) { g.zOrder(order); });
}

void GeometryGroup3D::onDrawForPreview(bool preview) {
    propagate([&] { drawForPreviewField() = preview; },
              [&](GeometryBase3D& g) { g.drawForPreview(preview); });
}

bool GeometryGroup3D::onHasLines() const {
    for (const auto& c : children())
        if (auto* geometry = ::Kv::queryInterface<GeometryBase3D>(c.get());
            geometry && geometry->hasLines())
            return true;
    return false;
}

bool GeometryGroup3D::onHasFill() const {
    for (const auto& c : children())
        if (auto* geometry = ::Kv::queryInterface<GeometryBase3D>(c.get());
            geometry && geometry->hasFill())
            return true;
    return false;
}

void GeometryGroup3D::sceneNode(Wyn::Graphics::ARenderNode* node) {
    m_groupNode = dynamic_cast<Wyn::Graphics::GroupNode*>(node);
}

void GeometryGroup3D::onCreateScene(Scene::NodeChange& change) {
    sceneNode(change.createGroupNode(this));
    INodeSource::onCreateScene(change);
}

void GeometryGroup3D::realizeChildNodes(Scene::NodeChange& change) {
    for (const StrongRef<Entity>& child : children())
        if (auto* source = ::Kv::queryInterface<Scene::INodeSource>(child.get()))
            if (Wyn::Graphics::ARenderNode* node = source->createScene())
                change.addChild(node);
}

bool GeometryGroup3D::realizeAddedChild(Scene::NodeChange& change, Scene::INodeSource* child) {
    if (Wyn::Graphics::ARenderNode* node = child->createScene())
        change.addChild(node);
    return true;
}

void GeometryGroup3D::releaseScene() {
    INodeSource::releaseScene();
    m_groupNode = nullptr;
}

void* GeometryGroup3D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : GeometryBase3D::queryInterface(id);
}

std::wstring GeometryGroup3D::onToString() const {
    return (boost::wformat(L"Geometries %1% base(%2%)") % childCount() %
            GeometryBase3D::onToString())
        .str();
}

} // namespace Kv::Geometry
