#include "Geometry/workgeometry/WorkGeometries.h"

#include "Geometry/workgeometry/WorkGeometry.h"
#include "Kv/CommonData/IComponent.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"

#include <boost/format.hpp>

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
    : CommonBaseGroupEntity(component) {
    initializeMemberSetIfNeeded();
}

WorkGeometries::WorkGeometries(Segment* segment, uint64_t id)
    : CommonBaseGroupEntity(segment, id) {
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
    return StrongRef<WorkGeometry>(::Kv::queryInterface<WorkGeometry>(child(index).get()));
}

int WorkGeometries::nextID(int& highWaterMark) {
    EntityChange change(this, kTransactDo, kChangeCounters, 3, nullptr, true);
    return ++highWaterMark;
}

int WorkGeometries::getNextWorkPlaneID() {
    return nextID(m_highWaterMarkPlanes);
}
int WorkGeometries::getNextWorkAxisID() {
    return nextID(m_highWaterMarkAxes);
}
int WorkGeometries::getNextWorkPointID() {
    return nextID(m_highWaterMarkPoints);
}

bool WorkGeometries::isVisible(CommonData::IComponentTraversalContext*) {
    return m_visible;
}

void WorkGeometries::isVisible(bool visible) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    m_visible = visible;
}

bool WorkGeometries::toggleVisibility(const ObjectPath&) {
    isVisible(!m_visible);
    return true;
}

bool WorkGeometries::getOnk(Onk& key) {
    key.setName(L"WorkGeometries");
    return true;
}

IScriptableObject* WorkGeometries::getChildObject(const Onk& key, const ObjectPath&) {
    return WorkGeometry::childNamed(*this, key.representation());
}

void* WorkGeometries::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = CommonBaseGroupEntity::queryInterface(id))
        return base;
    if (id == IComponentObject::interfaceId())
        return static_cast<IComponentObject*>(this);
    if (id == IVisibilityToggle::interfaceId())
        return static_cast<IVisibilityToggle*>(this);
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

std::wstring WorkGeometries::onToString() const {
    return (boost::wformat(L"WorkGeometries (base %1%)") % CommonBaseGroupEntity::onToString())
        .str();
}

} // namespace Kv::Geometry
