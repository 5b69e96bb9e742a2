#include "Geometry/curves3d/CurvatureHandle.h"

#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/curves3d/SplineHandle.h"
#include "Geometry/sketch3d/CurvatureUses.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/DeleteCurvatureRequest.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

#include <algorithm>
#include <cmath>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(CurvatureHandle)

namespace {

// Radii beyond this show as nearly straight anyway, and keep the handle's
// centre within reach of the sketch.
constexpr double kMaxRadius = 1000.0;

} // namespace

StrongRefCreator<CurvatureHandle> CurvatureHandle::make(const StrongRef<Entity>& parent,
                                                        const ZkGeCircArc3d& arc) {
    return makeOnNewPoints(parent, arc.center(), arc.startPoint(), arc.endPoint(), arc.normal(),
                           arc.radius());
}

StrongRefCreator<CurvatureHandle> CurvatureHandle::make(const StrongRef<Entity>& parent,
                                                        const ZkGePoint3d& center,
                                                        const ZkGePoint3d& start,
                                                        const ZkGePoint3d& end,
                                                        const ZkGeVector3d& normal) {
    return makeOnNewPoints(parent, center, start, end, normal, start.distanceTo(center));
}

StrongRefCreator<CurvatureHandle>
CurvatureHandle::makeOnNewPoints(const StrongRef<Entity>& parent, const ZkGePoint3d& center,
                                 const ZkGePoint3d& start, const ZkGePoint3d& end,
                                 const ZkGeVector3d& normal, double radius) {
    if (!parent)
        return {};
    StrongRef<Point3D> centerPoint = Point3D::make(parent, center);
    StrongRef<Point3D> startPoint = Point3D::make(parent, start);
    StrongRef<Point3D> endPoint = Point3D::make(parent, end);
    StrongRef<CurvatureHandle> handle(
        new CurvatureHandle(parent.get(), centerPoint, startPoint, endPoint, normal, radius));
    handle->postCreation(kTransactDo);
    return StrongRefCreator<CurvatureHandle>(handle);
}

ZkGeCircArc3d CurvatureHandle::arcFromCurvature(const ZkGeVector3d& curvature,
                                                const ZkGePoint3d& position) {
    const double k = curvature.length();
    ZkGeVector3d direction = curvature;
    double radius = kMaxRadius;
    if (k > 1e-6) {
        radius = std::min(1.0 / k, kMaxRadius);
        direction.normalize();
    }
    const ZkGeVector3d v = direction * radius;
    const ZkGeVector3d refVec = v.crossProduct(ZkGeVector3d::kZAxis);
    // Half an arc length of 1 on either side of the top of the circle.
    const double halfSweep = 1.0 / radius;
    return ZkGeCircArc3d(position - v, ZkGeVector3d::kZAxis, refVec, radius, M_PI_2 - halfSweep,
                         M_PI_2 + halfSweep);
}

CurvatureHandle::CurvatureHandle(Entity* parent, const StrongRef<Point3D>& center,
                                 const StrongRef<Point3D>& start, const StrongRef<Point3D>& end,
                                 const ZkGeVector3d& normal, double radius)
    : CircArc3D(parent, center, start, end, normal, radius) {
    initializeMemberSetIfNeeded();
}

CurvatureHandle::CurvatureHandle(Segment* segment, uint64_t id)
    : CircArc3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void CurvatureHandle::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "curveUses", m_curveUses);
}

void CurvatureHandle::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void CurvatureHandle::onPostCreation(int kind) {
    CircArc3D::onPostCreation(kind);
    if (!DataChange::test(kind, kTransactReplay))
        m_curveUses = CurveUses::make(StrongRef<Entity>(this));
}

ZkGeVector3d CurvatureHandle::curvature() const {
    const StrongRef<Point3D> point = fitPoint();
    if (!point)
        return ZkGeVector3d();
    return (point->point() - arcCurve().center()).normal() * (1.0 / radius());
}

void CurvatureHandle::addCurveUse(const PassiveRef<Curve3D>& curve) {
    if (m_curveUses)
        m_curveUses->add(curve);
}

void CurvatureHandle::removeCurveUse(const PassiveRef<Curve3D>& curve) {
    if (m_curveUses)
        m_curveUses->remove(curve);
}

StrongRef<Point3D> CurvatureHandle::fitPoint() const {
    if (!m_fitPoint) {
        m_fitPoint = SplineHandle::fitPoint(m_curveUses.get(), [this](const Spline3D& spline) {
            return spline.curvatureUses()
                       ? SplineHandle::indexOf(spline.curvatureUses()->curvatures(), this)
                       : -1;
        });
    }
    return m_fitPoint.lock();
}

void CurvatureHandle::removeIfNoUse() {
    SplineHandle::removeIfNoUse(*this, m_curveUses.get());
}

void CurvatureHandle::updateCurve() {
    CircArc3D::updateCurve();
    SplineHandle::updateSplines(m_curveUses.get());
}

Request* CurvatureHandle::onProvideDeleteRequest(const ObjectPath& path) {
    if (::Kv::queryInterface<Geometry3D>(path.leaf()) != this)
        return Geometry3D::onProvideDeleteRequest(path);
    return DeleteCurvatureRequest::make(asset(), PassiveRef<Geometry3D>(this));
}

void CurvatureHandle::realizeAppearance(Scene::NodeChange& change) {
    SplineHandle::realizeAppearance(*this, curveNode(), change);
}

void CurvatureHandle::activeEnvironmentChanged(Event*) {
    SplineHandle::recolor(curveNode());
}

void* CurvatureHandle::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : CircArc3D::queryInterface(id);
}

std::wstring CurvatureHandle::onToString() const {
    return (boost::wformat(L"CurvatureHandle (Base %1%)") % CircArc3D::onToString()).str();
}

} // namespace Kv::Geometry
