#include "Geometry/workgeometry/WorkPoints.h"

#include "Geometry/workgeometry/WorkPoint.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(WorkPoints)

WorkPoints::WorkPoints(Entity* component)
    : CommonBaseGroupEntity(component) {
    initializeMemberSetIfNeeded();
}

WorkPoints::WorkPoints(Segment* segment, uint64_t id)
    : CommonBaseGroupEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void WorkPoints::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "highWaterMark", m_highWaterMark);
}

void WorkPoints::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

StrongRef<WorkPoint> WorkPoints::workpoint(unsigned int index) const {
    return StrongRef<WorkPoint>(::Kv::queryInterface<WorkPoint>(child(index).get()));
}

int WorkPoints::getNextID() {
    EntityChange change(this, kTransactDo, kChangeCounters, 3, nullptr, true);
    return ++m_highWaterMark;
}

bool WorkPoints::getOnk(Onk& key) {
    key.setName(L"WorkPoints");
    return true;
}

IScriptableObject* WorkPoints::getChildObject(const Onk& key, const ObjectPath&) {
    return WorkGeometry::childNamed(*this, key.representation());
}

void* WorkPoints::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = CommonBaseGroupEntity::queryInterface(id))
        return base;
    if (id == IComponentObject::interfaceId())
        return static_cast<IComponentObject*>(this);
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

std::wstring WorkPoints::onToString() const {
    return (boost::wformat(L"WorkPoints (base %1%)") % CommonBaseGroupEntity::onToString()).str();
}

} // namespace Kv::Geometry
