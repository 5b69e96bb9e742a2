#include "Geometry/curves3d/TangentHandle.h"

#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/curves3d/SplineHandle.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/DeleteTangentRequest.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/TangentUses.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
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

StrongRefCreator<TangentHandle> TangentHandle::make(const StrongRef<Entity>& parent,
                                                    const ZkGePoint3d& position,
                                                    const ZkGeVector3d& tangent) {
    if (!parent)
        return {};
    const StrongRef<Point3D> start = Point3D::make(parent, position - tangent);
    return make(parent, start, Point3D::make(parent, position + tangent));
}

TangentHandle::TangentHandle(Entity* parent, const StrongRef<Point3D>& start,
                             const StrongRef<Point3D>& end)
    : Line3D(parent, start, end) {
    initializeMemberSetIfNeeded();
}

TangentHandle::TangentHandle(Segment* segment, uint64_t id)
    : Line3D(segment, id) {
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

void TangentHandle::addCurveUse(const PassiveRef<Curve3D>& curve) {
    if (m_curveUses)
        m_curveUses->add(curve);
}

void TangentHandle::removeCurveUse(const PassiveRef<Curve3D>& curve) {
    if (m_curveUses)
        m_curveUses->remove(curve);
}

StrongRef<Point3D> TangentHandle::fitPoint() const {
    if (!m_fitPoint) {
        m_fitPoint = SplineHandle::fitPoint(m_curveUses.get(), [this](const Spline3D& spline) {
            return spline.tangentUses()
                       ? SplineHandle::indexOf(spline.tangentUses()->tangents(), this)
                       : -1;
        });
    }
    return m_fitPoint.lock();
}

void TangentHandle::removeIfNoUse() {
    SplineHandle::removeIfNoUse(*this, m_curveUses.get());
}

void TangentHandle::updateCurve() {
    Line3D::updateCurve();
    SplineHandle::updateSplines(m_curveUses.get());
}

void TangentHandle::onIsVisible(bool visible) {
    EntityChange change(this, kTransactNoUndo, kChangeAppearance, 3, nullptr, true);
    visibleField() = visible;
    for (const StrongRef<Point3D>& point : {startPoint(), endPoint()})
        if (point)
            point->isVisibleDontTransact(visible);
}

Request* TangentHandle::onProvideDeleteRequest(const ObjectPath& path) {
    if (::Kv::queryInterface<Geometry3D>(path.leaf()) != this)
        return Geometry3D::onProvideDeleteRequest(path);
    return DeleteTangentRequest::make(asset(), PassiveRef<Geometry3D>(this));
}

void TangentHandle::realizeAppearance(Scene::NodeChange& change) {
    SplineHandle::realizeAppearance(*this, curveNode(), change);
}

void TangentHandle::activeEnvironmentChanged(Event*) {
    SplineHandle::recolor(curveNode());
}

void* TangentHandle::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Line3D::queryInterface(id);
}

std::wstring TangentHandle::onToString() const {
    return (boost::wformat(L"TangentHandle (Base %1%)") % Line3D::onToString()).str();
}

} // namespace Kv::Geometry
