#include "Geometry/sketch3d/Geometry3D.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Geometry3D)

Geometry3D::Geometry3D(Entity* parent) : GeometryBase3D(parent) { initializeMemberSetIfNeeded(); }

Geometry3D::Geometry3D(Segment* segment) : GeometryBase3D(segment) {
    initializeMemberSetIfNeeded();
}

Geometry3D::Geometry3D(Segment* segment, uint64_t id) : GeometryBase3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void Geometry3D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

bool Geometry3D::getPosition(ZkGePoint3d&) const { return false; }

void* Geometry3D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : GeometryBase3D::queryInterface(id);
}

std::wstring Geometry3D::onToString() const {
    return (boost::wformat(L"%1%)") % GeometryBase3D::onToString()).str();
}

} // namespace Kv::Geometry
