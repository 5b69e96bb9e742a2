#include "Geometry/sketch3d/Geometry3D.h"

#include "Geometry/sketch3d/DeleteGeometry3DRequest.h"
#include "Kv/Scene/NodeChange.h"
#include "Wyn/Graphics/GeometryNode.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Geometry3D)

Geometry3D::Geometry3D(Entity* parent)
    : GeometryBase3D(parent) {
    initializeMemberSetIfNeeded();
}

Geometry3D::Geometry3D(Segment* segment)
    : GeometryBase3D(segment) {
    initializeMemberSetIfNeeded();
}

Geometry3D::Geometry3D(Segment* segment, uint64_t id)
    : GeometryBase3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void Geometry3D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

bool Geometry3D::getPosition(ZkGePoint3d&) const {
    return false;
}

void Geometry3D::onCreateScene(Scene::NodeChange& change) {
    onCreateGeometryNode(change);
    INodeSource::onCreateScene(change);
}

void Geometry3D::onCreateGeometryNode(Scene::NodeChange& change) {
    sceneNode(change.createGeometryNode(this, true));
}

void Geometry3D::realizeAppearance(Scene::NodeChange& change) {
    change.colorEffect(lineColor(), false, 0);
}

void Geometry3D::releaseScene() {
    INodeSource::releaseScene();
    m_sceneNode = nullptr;
}

bool Geometry3D::onCanDelete(const ObjectPath& path) {
    return ::Kv::queryInterface<Geometry3D>(path.leaf()) == this;
}

Request* Geometry3D::onProvideDeleteRequest(const ObjectPath& path) {
    if (::Kv::queryInterface<Geometry3D>(path.leaf()) != this)
        return nullptr;
    return DeleteGeometry3DRequest::make(asset(), PassiveRef<Geometry3D>(this));
}

bool Geometry3D::getOnkName(std::wstring& name) const {
    auto* group = ::Kv::queryInterface<Managed::ManagedGroupEntity>(parentEntity());
    if (!group)
        return false;
    const EGeometry3DType type = geomType();
    unsigned int count = 0;
    for (const StrongRef<Entity>& child : group->children()) {
        auto* geometry = ::Kv::queryInterface<Geometry3D>(child.get());
        if (!geometry || geometry->geomType() != type)
            continue;
        ++count;
        if (geometry == this) {
            name = (boost::wformat(L":%1%:%2%") % static_cast<int>(type) % count).str();
            return true;
        }
    }
    // A removed entity keeps its parent until it is restored or destroyed,
    // but counts nowhere.
    return false;
}

void* Geometry3D::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = GeometryBase3D::queryInterface(id))
        return base;
    return id == IDeletable::interfaceId() ? static_cast<IDeletable*>(this) : nullptr;
}

std::wstring Geometry3D::onToString() const {
    return (boost::wformat(L"%1%)") % GeometryBase3D::onToString()).str();
}

} // namespace Kv::Geometry
