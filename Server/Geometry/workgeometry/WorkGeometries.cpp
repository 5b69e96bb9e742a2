#include "Geometry/workgeometry/WorkGeometries.h"

#include "Geometry/selection/WorkGeometriesSelection.h"
#include "Geometry/workgeometry/WorkGeometry.h"
#include "Kv/CommonData/IComponent.h"
#include "Kv/CommonData/ManagedEntity.h"
#include "Kv/DataModel/MemberRegistration.h"

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(WorkGeometries)

StrongRefCreator<WorkGeometries> WorkGeometries::make(IComponent* component) {
    Entity* owner = component ? component->componentEntity() : nullptr;
    if (!owner)
        return {};
    StrongRef<WorkGeometries> collection(new WorkGeometries(owner));
    collection->postCreation(kTransactDo);
    return StrongRefCreator<WorkGeometries>(collection);
}

WorkGeometries::WorkGeometries(Entity* component)
    : ToggledWorkGeometryCollection(component, true) {
    initializeMemberSetIfNeeded();
}

WorkGeometries::WorkGeometries(Segment* segment, uint64_t id)
    : ToggledWorkGeometryCollection(segment, id, true) {
    initializeMemberSetIfNeeded();
}

void WorkGeometries::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "highWaterMarkPlanes", m_highWaterMarkPlanes);
    registerMember(memberSet, "highWaterMarkAxes", m_highWaterMarkAxes);
    registerMember(memberSet, "highWaterMarkPoints", m_highWaterMarkPoints);
    registerMember(memberSet, "visible", m_visible);
}

void WorkGeometries::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

StrongRef<WorkGeometry> WorkGeometries::workGeometry(unsigned int index) const {
    return childAs<WorkGeometry>(index);
}

Request* WorkGeometries::onProvidePasteRequest(const std::vector<ObjectPath>& pasted,
                                               const ObjectPath& target, bool isCut, bool isClone,
                                               bool isReorder) {
    auto* sink = ::Kv::queryInterface<DataModel::IPasteSink>(parentEntity());
    return sink ? sink->onProvidePasteRequest(pasted, target, isCut, isClone, isReorder) : nullptr;
}

bool WorkGeometries::onCanPaste(const std::vector<ObjectPath>& pasted, const ObjectPath& target,
                                bool isCut, bool) {
    if (Managed::ManagedEntity::pastesIntoItself(pasted, target))
        return false;
    // Cutting work geometry and pasting it back where it was is no move.
    for (const ObjectPath& path : pasted) {
        auto* geometry = ::Kv::queryInterface<WorkGeometry>(path.leaf());
        if (isCut && geometry && geometry->parentEntity() == this)
            return false;
    }
    return true;
}

StrongRef<LogicalSelection> WorkGeometries::onCreateLogicalSelection(const ObjectPath& path) {
    return WorkGeometriesSelection::make(selectedPath(path), StrongRef<WorkGeometries>(this));
}

void* WorkGeometries::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* found = ToggledWorkGeometryCollection::queryInterface(id))
        return found;
    return id == IPasteSink::interfaceId() ? static_cast<IPasteSink*>(this) : nullptr;
}

} // namespace Kv::Geometry
