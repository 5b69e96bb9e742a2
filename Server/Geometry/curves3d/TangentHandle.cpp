#include "Geometry/curves3d/TangentHandle.h"

#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(TangentHandle)

StrongRefCreator<TangentHandle> TangentHandle::make(const StrongRef<Entity>& parent,
                                                    const StrongRef<Point3D>& start,
                                                    const StrongRef<Point3D>& end) {
    if (!parent)
        return {};
    StrongRef<TangentHandle> handle(new TangentHandle(parent.get(), start, end));
    handle->postCreation(kTransactDo);
    return StrongRefCreator<TangentHandle>(handle);
}

TangentHandle::TangentHandle(Entity* parent, const StrongRef<Point3D>& start,
                             const StrongRef<Point3D>& end)
    : Line3D(parent, start, end) {
    initializeMemberSetIfNeeded();
}

TangentHandle::TangentHandle(Segment* segment, uint64_t id) : Line3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void TangentHandle::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "curveUses", m_curveUses);
}

void TangentHandle::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void TangentHandle::onPostCreation(int kind) {
    Line3D::onPostCreation(kind);
    if (!DataChange::test(kind, kTransactReplay))
        m_curveUses = CurveUses::make(StrongRef<Entity>(this));
}

void* TangentHandle::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Line3D::queryInterface(id);
}

std::wstring TangentHandle::onToString() const {
    return (boost::wformat(L"TangentHandle (Base %1%)") % Line3D::onToString()).str();
}

} // namespace Kv::Geometry
