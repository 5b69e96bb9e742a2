#include "Geometry/curves3d/CircArc3D.h"

#include "Geometry/sketch3d/Point3D.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(CircArc3D)

namespace {

ZkGePoint3d positionOf(const StrongRef<Point3D>& point) {
    return point ? point->point() : ZkGePoint3d::kOrigin;
}

} // namespace

StrongRefCreator<CircArc3D> CircArc3D::make(const StrongRef<Entity>& parent,
                                            const StrongRef<Point3D>& center,
                                            const StrongRef<Point3D>& start,
                                            const StrongRef<Point3D>& end,
                                            const ZkGeVector3d& normal) {
    if (!parent)
        return {};
    const double radius = positionOf(center).distanceTo(positionOf(start));
    StrongRef<CircArc3D> arc(new CircArc3D(parent.get(), center, start, end, normal, radius));
    arc->postCreation(kTransactDo);
    return StrongRefCreator<CircArc3D>(arc);
}

StrongRefCreator<CircArc3D> CircArc3D::make(const StrongRef<Entity>& parent,
                                            const StrongRef<Point3D>& center,
                                            const ZkGeVector3d& normal, double radius) {
    if (!parent)
        return {};
    StrongRef<CircArc3D> circle(new CircArc3D(parent.get(), center, StrongRef<Point3D>(),
                                              StrongRef<Point3D>(), normal, radius));
    circle->postCreation(kTransactDo);
    return StrongRefCreator<CircArc3D>(circle);
}

StrongRefCreator<CircArc3D> CircArc3D::make(const StrongRef<Entity>& parent,
                                            const StrongRef<Point3D>& start,
                                            const ZkGePoint3d& onArc, const StrongRef<Point3D>& end,
                                            const ZkGeVector3d& normal) {
    if (!parent)
        return {};
    // The circumcentre P0 + s u + t w of the triangle P0, M, P2, from the two
    // conditions that it is as far from M as from either end.
    const ZkGePoint3d p0 = positionOf(start);
    const ZkGePoint3d p2 = positionOf(end);
    const ZkGeVector3d u = onArc - p0;
    const ZkGeVector3d w = p2 - onArc;
    const double a = u.dotProduct(u);
    const double b = w.dotProduct(w);
    const double c = u.dotProduct(w);
    const double d = 2.0 * (c * c - a * b);
    if (d == 0.0)
        return {};
    const double s = (2.0 * c * c + b * c - a * b) / d;
    const double t = -(a * b + a * c) / d;
    StrongRef<Point3D> center = Point3D::make(parent, p0 + u * s + w * t);
    // The kernel arc through three points always turns counter-clockwise about
    // its own normal; given clockwise, the same points run the other way.
    const bool counterClockwise = u.crossProduct(w).normal().isEqualTo(normal);
    StrongRef<CircArc3D> arc(counterClockwise
                                 ? new CircArc3D(parent.get(), center, start, onArc, end)
                                 : new CircArc3D(parent.get(), center, end, onArc, start));
    arc->postCreation(kTransactDo);
    return StrongRefCreator<CircArc3D>(arc);
}

CircArc3D::CircArc3D(Entity* parent, const StrongRef<Point3D>& center,
                     const StrongRef<Point3D>& start, const StrongRef<Point3D>& end,
                     const ZkGeVector3d& normal, double radius)
    : Curve3D(parent)
    , m_centerPoint(center) {
    startPointField() = start;
    endPointField() = end;
    const ZkGePoint3d q = positionOf(center);
    if (start && end) {
        ZkGeVector3d vs = this->start() - q;
        const ZkGeVector3d ve = this->end() - q;
        const double endAngle = vs.angleTo(ve, normal);
        vs.normalize();
        m_arcCurve.set(q, normal, vs, radius, 0.0, endAngle);
    } else {
        m_arcCurve.set(q, normal, radius);
    }
    initializeMemberSetIfNeeded();
}

CircArc3D::CircArc3D(Entity* parent, const StrongRef<Point3D>& center,
                     const StrongRef<Point3D>& start, const ZkGePoint3d& onArc,
                     const StrongRef<Point3D>& end)
    : Curve3D(parent)
    , m_centerPoint(center) {
    startPointField() = start;
    endPointField() = end;
    m_arcCurve.set(this->start(), onArc, this->end());
    initializeMemberSetIfNeeded();
}

CircArc3D::CircArc3D(Segment* segment, uint64_t id)
    : Curve3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void CircArc3D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "arcCurve", m_arcCurve);
    registerMember(memberSet, "rStartPoint", startPointField());
    registerMember(memberSet, "rEndPoint", endPointField());
    registerMember(memberSet, "rCenterPoint", m_centerPoint);
}

void CircArc3D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void CircArc3D::onPostCreation(int kind) {
    Curve3D::onPostCreation(kind);
    if (DataChange::test(kind, kTransactReplay))
        return;
    for (const StrongRef<Point3D>& point : {m_centerPoint, startPoint(), endPoint()})
        if (point)
            point->addCurveUse(PassiveRef<Curve3D>(this));
}

ZkGePoint3d CircArc3D::center() const {
    return positionOf(m_centerPoint);
}

void CircArc3D::radius(double radius) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_arcCurve.setRadius(radius);
}

void CircArc3D::updateCurve() {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    const ZkGePoint3d q = center();
    const ZkGeVector3d n = m_arcCurve.normal().normal();
    if (m_arcCurve.isClosed()) {
        m_arcCurve.set(q, n, m_arcCurve.radius());
        return;
    }
    const ZkGeVector3d vs = start() - q;
    const ZkGeVector3d ve = end() - q;
    if (vs.isZeroLength()) {
        // A start point on the centre leaves no direction to start from.
        m_arcCurve.set(q, n, 0.0001);
        return;
    }
    m_arcCurve.set(q, n, vs.normal(), vs.length(), 0.0, vs.angleTo(ve, n));
}

bool CircArc3D::getPosition(ZkGePoint3d& position) const {
    position = center();
    return true;
}

bool CircArc3D::onReferences(const StrongRef<Point3D>& point) const {
    return point && (point == m_centerPoint || point == startPoint() || point == endPoint());
}

void* CircArc3D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Curve3D::queryInterface(id);
}

std::wstring CircArc3D::onToString() const {
    const ZkGePoint3d q = center();
    if (isCircle()) {
        return (boost::wformat(L"CircArc3D is a circle center (%1%, %2%, %3%) radius %4% "
                               L"(Base %5%)") %
                q.x % q.y % q.z % radius() % Curve3D::onToString())
            .str();
    }
    const ZkGePoint3d s = start();
    const ZkGePoint3d e = end();
    return (boost::wformat(L"CircArc3D from (%1%, %2%, %3%) to (%4%, %5%, %6%) center (%7%, "
                           L"%8%, %9%) radius %10% (Base %11%)") %
            s.x % s.y % s.z % e.x % e.y % e.z % q.x % q.y % q.z % radius() % Curve3D::onToString())
        .str();
}

} // namespace Kv::Geometry
