#include "Kv/Selection/LogicalSelection.h"

#include "Kv/CommonData/ManagedGroupEntity.h"
#include "Kv/DataModel/ILogicalSelectionTransform.h"

namespace Kv {

ZkGeMatrix3d LogicalSelection::placementAbove(const ObjectPath& path) {
    ZkGeMatrix3d transform;
    ObjectPath above;
    const auto& elements = path.elements();
    for (size_t i = 0; i + 1 < elements.size(); ++i) {
        Entity* entity = elements[i].get();
        above.push(entity);
        auto* placed = ::Kv::queryInterface<DataModel::ILogicalSelectionTransform>(entity);
        ZkGeMatrix3d placement;
        ObjectPath placementPath;
        if (placed && placed->onExtractTransform(above, placement, placementPath))
            transform.postMultBy(placement);
    }
    return transform;
}

bool LogicalSelection::onIsValid() const {
    const auto& elements = m_path.elements();
    if (elements.empty())
        return false;
    for (size_t i = 1; i < elements.size(); ++i) {
        Entity* parent = elements[i - 1].get();
        Entity* child = elements[i].get();
        if (child->isDestroying() || child->parentEntity() != parent)
            return false;
        // Group entities are held as children; other entities (use lists,
        // coordinate systems) through references, which outlive no deletion
        // of their owner.
        auto* group = ::Kv::queryInterface<Managed::ManagedGroupEntity>(parent);
        if (group && ::Kv::queryInterface<Managed::ManagedGroupEntity>(child) &&
            group->indexOf(child) == Managed::ManagedGroupEntity::npos)
            return false;
    }
    return true;
}

void* LogicalSelection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Selection::queryInterface(id);
}

} // namespace Kv
