#include "Geometry/sketch2d/Geometry2D.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Geometry2D)

Geometry2D::Geometry2D(Entity* parent)
    : GeometryBase2D(parent) {
    initializeMemberSetIfNeeded();
}

Geometry2D::Geometry2D(Segment* segment, uint64_t id)
    : GeometryBase2D(segment, id) {
    initializeMemberSetIfNeeded();
}

void Geometry2D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void* Geometry2D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : GeometryBase2D::queryInterface(id);
}

std::wstring Geometry2D::onToString() const {
    return (boost::wformat(L"%1%)") % GeometryBase2D::onToString()).str();
}

} // namespace Kv::Geometry
