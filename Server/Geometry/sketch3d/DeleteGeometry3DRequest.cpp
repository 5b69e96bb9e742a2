#include "Geometry/sketch3d/DeleteGeometry3DRequest.h"

#include "Geometry/sketch3d/Geometry3D.h"
#include "Kv/CommonData/ManagedGroupEntity.h"

namespace Kv {

DeleteGeometry3DRequest*
DeleteGeometry3DRequest::make(Asset* asset, const PassiveRef<Geometry::Geometry3D>& target) {
    return new DeleteGeometry3DRequest(asset, target);
}

DeleteGeometry3DRequest::DeleteGeometry3DRequest(Asset* asset,
                                                 const PassiveRef<Geometry::Geometry3D>& target)
    : Request(asset)
    , m_target(target) {}

std::string DeleteGeometry3DRequest::name() const {
    return "Delete geometry";
}

void DeleteGeometry3DRequest::onExecute(Status&) {
    Geometry::Geometry3D* target = m_target.getTarget();
    if (!target)
        return;
    if (auto* parent = queryInterface<Managed::ManagedGroupEntity>(target->parentEntity()))
        parent->removeChild(StrongRef<Entity>(target));
}

} // namespace Kv
