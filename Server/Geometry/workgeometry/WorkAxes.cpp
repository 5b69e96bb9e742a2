#include "Geometry/workgeometry/WorkAxes.h"

#include "Geometry/workgeometry/WorkAxis.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(WorkAxes)

WorkAxes::WorkAxes(Entity* component)
    : CommonBaseGroupEntity(component) {
    initializeMemberSetIfNeeded();
}

WorkAxes::WorkAxes(Segment* segment, uint64_t id)
    : CommonBaseGroupEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void WorkAxes::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "highWaterMark", m_highWaterMark);
}

void WorkAxes::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

StrongRef<WorkAxis> WorkAxes::workAxis(unsigned int index) const {
    return StrongRef<WorkAxis>(::Kv::queryInterface<WorkAxis>(child(index).get()));
}

int WorkAxes::getNextID() {
    EntityChange change(this, kTransactDo, kChangeCounters, 3, nullptr, true);
    return ++m_highWaterMark;
}

bool WorkAxes::getOnk(Onk& key) {
    key.setName(L"WorkAxes");
    return true;
}

IScriptableObject* WorkAxes::getChildObject(const Onk& key, const ObjectPath&) {
    return WorkGeometry::childNamed(*this, key.representation());
}

void* WorkAxes::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = CommonBaseGroupEntity::queryInterface(id))
        return base;
    if (id == IComponentObject::interfaceId())
        return static_cast<IComponentObject*>(this);
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

std::wstring WorkAxes::onToString() const {
    return (boost::wformat(L"WorkAxes (base %1%)") % CommonBaseGroupEntity::onToString()).str();
}

} // namespace Kv::Geometry
