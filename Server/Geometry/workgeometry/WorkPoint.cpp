#include "Geometry/workgeometry/WorkPoint.h"

#include "Geometry/workgeometry/WorkGeometries.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"
#include "ZkGeMatrix3d.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(WorkPoint)

StrongRefCreator<WorkPoint> WorkPoint::make(const StrongRef<Entity>& parent,
                                            const ZkGePoint3d& position) {
    if (!parent)
        return {};
    StrongRef<WorkPoint> point(new WorkPoint(parent.get(), position));
    point->postCreation(kTransactDo);
    return StrongRefCreator<WorkPoint>(point);
}

StrongRefCreator<WorkPoint> WorkPoint::make(const StrongRef<Entity>& parent,
                                            const ZkGePoint3d& position, bool isOrigin,
                                            const std::wstring& originName) {
    if (!parent)
        return {};
    StrongRef<WorkPoint> point(new WorkPoint(parent.get(), position, isOrigin, originName));
    point->postCreation(kTransactDo);
    return StrongRefCreator<WorkPoint>(point);
}

StrongRef<WorkPoint> WorkPoint::findOrMake(const StrongRef<Entity>& parent,
                                           const ZkGePoint3d& position) {
    if (auto* group = ::Kv::queryInterface<Managed::ManagedGroupEntity>(parent.get()))
        for (const StrongRef<Entity>& child : group->children())
            if (auto* point = ::Kv::queryInterface<WorkPoint>(child.get()))
                if (point->point().isEqualTo(position))
                    return StrongRef<WorkPoint>(point);
    return make(parent, position);
}

WorkPoint::WorkPoint(Entity* parent, const ZkGePoint3d& position)
    : WorkGeometry(parent)
    , m_point(position) {
    if (auto* collection = ::Kv::queryInterface<WorkGeometries>(parent))
        setUserId(collection->getNextWorkPointID());
    initializeMemberSetIfNeeded();
}

WorkPoint::WorkPoint(Entity* parent, const ZkGePoint3d& position, bool isOrigin,
                     const std::wstring& originName)
    : WorkGeometry(parent, isOrigin, originName)
    , m_point(position) {
    initializeMemberSetIfNeeded();
}

WorkPoint::WorkPoint(Segment* segment, uint64_t id)
    : WorkGeometry(segment, id) {
    initializeMemberSetIfNeeded();
}

void WorkPoint::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "point", m_point);
}

void WorkPoint::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void WorkPoint::point(const ZkGePoint3d& position) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_point = position;
}

void WorkPoint::onTranslate(const ZkGeVector3d& offset) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_point = m_point + offset;
}

void WorkPoint::onTransformBy(const ZkGeMatrix3d& transform) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_point.transformBy(transform);
}

std::wstring WorkPoint::userName() const {
    return nameFromNumber("WorkPointDefaultName", L"Point");
}

bool WorkPoint::getOnk(Onk& key) {
    key.setName(L"WorkPoint");
    key.setRepresentation(userName());
    return true;
}

void* WorkPoint::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : WorkGeometry::queryInterface(id);
}

std::wstring WorkPoint::onToString() const {
    return (boost::wformat(L"WorkPoint at (%1%, %2%) (Base %3%)") % m_point.x % m_point.y %
            WorkGeometry::onToString())
        .str();
}

} // namespace Kv::Geometry
