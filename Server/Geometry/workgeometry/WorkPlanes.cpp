#include "Geometry/workgeometry/WorkPlanes.h"

#include "Geometry/workgeometry/WorkPlane.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(WorkPlanes)

WorkPlanes::WorkPlanes(Entity* component)
    : CommonBaseGroupEntity(component) {
    initializeMemberSetIfNeeded();
}

WorkPlanes::WorkPlanes(Segment* segment, uint64_t id)
    : CommonBaseGroupEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void WorkPlanes::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "highWaterMark", m_highWaterMark);
}

void WorkPlanes::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

StrongRef<WorkPlane> WorkPlanes::workPlane(unsigned int index) const {
    return StrongRef<WorkPlane>(::Kv::queryInterface<WorkPlane>(child(index).get()));
}

int WorkPlanes::getNextID() {
    EntityChange change(this, kTransactDo, kChangeCounters, 3, nullptr, true);
    return ++m_highWaterMark;
}

bool WorkPlanes::getOnk(Onk& key) {
    key.setName(L"WorkPlanes");
    return true;
}

IScriptableObject* WorkPlanes::getChildObject(const Onk& key, const ObjectPath&) {
    return WorkGeometry::childNamed(*this, key.representation());
}

void* WorkPlanes::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = CommonBaseGroupEntity::queryInterface(id))
        return base;
    if (id == IComponentObject::interfaceId())
        return static_cast<IComponentObject*>(this);
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

std::wstring WorkPlanes::onToString() const {
    return (boost::wformat(L"WorkPlanes (base %1%)") % CommonBaseGroupEntity::onToString()).str();
}

} // namespace Kv::Geometry
