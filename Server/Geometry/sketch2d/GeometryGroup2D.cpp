#include "Geometry/sketch2d/GeometryGroup2D.h"

#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/Scene/NodeChange.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(GeometryGroup2D)

StrongRefCreator<GeometryGroup2D> GeometryGroup2D::make(const StrongRef<Entity>& parent) {
    if (!parent)
        return {};
    StrongRef<GeometryGroup2D> group(new GeometryGroup2D(parent.get()));
    group->postCreation(kTransactDo);
    return StrongRefCreator<GeometryGroup2D>(group);
}

GeometryGroup2D::GeometryGroup2D(Entity* parent)
    : GeometryBase2D(parent) {
    initializeMemberSetIfNeeded();
}

GeometryGroup2D::GeometryGroup2D(Segment* segment, uint64_t id)
    : GeometryBase2D(segment, id) {
    initializeMemberSetIfNeeded();
}

void GeometryGroup2D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

StrongRef<GeometryBase2D> GeometryGroup2D::geometryBase2D(unsigned int index) const {
    return StrongRef<GeometryBase2D>(::Kv::queryInterface<GeometryBase2D>(child(index).get()));
}

void GeometryGroup2D::remove(const StrongRef<GeometryBase2D>& geometry) {
    removeChild(StrongRef<Entity>(geometry));
}

void GeometryGroup2D::sceneNode(Wyn::Graphics::ARenderNode* node) {
    m_groupNode = dynamic_cast<Wyn::Graphics::GroupNode*>(node);
}

void GeometryGroup2D::onCreateScene(Scene::NodeChange& change) {
    sceneNode(change.createGroupNode(this, 1, false, true));
    INodeSource::onCreateScene(change);
}

void GeometryGroup2D::realizeChildNodes(Scene::NodeChange& change) {
    for (const StrongRef<Entity>& member : children())
        addChildNode(change, member.get());
}

bool GeometryGroup2D::realizeAddedChild(Scene::NodeChange& change, Scene::INodeSource* child) {
    addChildNode(change, child->nodeSourceEntity());
    return true;
}

void GeometryGroup2D::releaseScene() {
    INodeSource::releaseScene();
    m_groupNode = nullptr;
}

template <class Write, class Forward>
void GeometryGroup2D::propagate(Write write, Forward forward) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    write();
    // The count is read anew each time: a member's setter may change the group.
    for (size_t i = 0; i < childCount(); ++i)
        if (auto* geometry = ::Kv::queryInterface<GeometryBase2D>(child(i).get()))
            forward(*geometry);
}

void GeometryGroup2D::onLineThickness(float thickness) {
    propagate([&] { GeometryBase2D::onLineThickness(thickness); },
              [&](GeometryBase2D& g) { g.lineThickness(thickness); });
}

void GeometryGroup2D::onLineColor(const Color& color) {
    propagate([&] { GeometryBase2D::onLineColor(color); },
              [&](GeometryBase2D& g) { g.lineColor(color); });
}

void GeometryGroup2D::onFillColor(const Color& color) {
    propagate([&] { GeometryBase2D::onFillColor(color); },
              [&](GeometryBase2D& g) { g.fillColor(color); });
}

void GeometryGroup2D::onIsVisible(bool visible) {
    propagate([&] { GeometryBase2D::onIsVisible(visible); },
              [&](GeometryBase2D& g) { g.isVisible(visible); });
}

void GeometryGroup2D::onZOrder(unsigned int order) {
    propagate([&] { GeometryBase2D::onZOrder(order); },
              [&](GeometryBase2D& g) { g.zOrder(order); });
}

void GeometryGroup2D::onDrawForPreview(bool preview) {
    propagate([&] { GeometryBase2D::onDrawForPreview(preview); },
              [&](GeometryBase2D& g) { g.drawForPreview(preview); });
}

bool GeometryGroup2D::onHasLines() const {
    for (const auto& c : children())
        if (auto* geometry = ::Kv::queryInterface<GeometryBase2D>(c.get());
            geometry && geometry->hasLines())
            return true;
    return false;
}

bool GeometryGroup2D::onHasFill() const {
    for (const auto& c : children())
        if (auto* geometry = ::Kv::queryInterface<GeometryBase2D>(c.get());
            geometry && geometry->hasFill())
            return true;
    return false;
}

void* GeometryGroup2D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : GeometryBase2D::queryInterface(id);
}

std::wstring GeometryGroup2D::onToString() const {
    return (boost::wformat(L"Geometries %1% base(%2%)") % childCount() %
            GeometryBase2D::onToString())
        .str();
}

} // namespace Kv::Geometry
