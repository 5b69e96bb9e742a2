#include "Geometry/curves3d/CircArc3D.h"

#include "Geometry/sketch3d/Point3D.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/Scene/NodeChange.h"
#include "Wyn/Graphics/CircleArcNode.h"
#include "ZkGeContext.h"
#include "ZkGeMatrix3d.h"

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
    // Nearly collinear points the kernel cannot put an arc through are
    // refused as well as exactly collinear ones.
    if (d == 0.0 || !ZkGeCircArc3d().set(p0, onArc, p2))
        return {};
    const double s = (2.0 * c * c + b * c - a * b) / d;
    const double t = -(a * b + a * c) / d;
    StrongRef<Point3D> center = Point3D::make(parent, p0 + u * s + w * t);
    // The kernel arc through three points always turns counter-clockwise about
    // its own normal; given clockwise, the same points run the other way. The
    // side of the given normal decides, so that a normal that is not quite
    // perpendicular to the points' plane still picks the nearer direction.
    const bool counterClockwise = u.crossProduct(w).dotProduct(normal) > 0.0;
    StrongRef<CircArc3D> arc(counterClockwise
                                 ? new CircArc3D(parent.get(), center, start, onArc, end)
                                 : new CircArc3D(parent.get(), center, end, onArc, start));
    arc->postCreation(kTransactDo);
    return StrongRefCreator<CircArc3D>(arc);
}

StrongRefCreator<CircArc3D> CircArc3D::make(const StrongRef<Entity>& parent,
                                            const ZkGePoint3d& center, const ZkGePoint3d& start,
                                            const ZkGePoint3d& end, const ZkGeVector3d& normal) {
    if (!parent)
        return {};
    const StrongRef<Point3D> centerPoint = Point3D::findOrMake(parent, center);
    const StrongRef<Point3D> startPoint = Point3D::findOrMake(parent, start);
    return make(parent, centerPoint, startPoint, Point3D::findOrMake(parent, end), normal);
}

StrongRefCreator<CircArc3D> CircArc3D::make(const StrongRef<Entity>& parent,
                                            const ZkGePoint3d& center, const ZkGeVector3d& normal,
                                            double radius) {
    if (!parent)
        return {};
    return make(parent, Point3D::findOrMake(parent, center), normal, radius);
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
    addToCurveUses(kind, {m_centerPoint, startPoint(), endPoint()});
}

void CircArc3D::onPreDeletion(int kind) {
    releasePoints(kind, {&m_centerPoint, &startPointField(), &endPointField()});
    Curve3D::onPreDeletion(kind);
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

bool CircArc3D::isCircle() const {
    return m_arcCurve.isClosed(ZkGeContext::gTol);
}

void CircArc3D::setStartPoint(const StrongRef<Point3D>& point) {
    Curve3D::setStartPoint(point);
    updateCurve();
}

void CircArc3D::setEndPoint(const StrongRef<Point3D>& point) {
    Curve3D::setEndPoint(point);
    updateCurve();
}

void CircArc3D::arcToCircle(const ZkGeCircArc3d& circle, bool moveCenter) {
    if (!circle.isClosed(ZkGeContext::gTol) || isCircle())
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_arcCurve = circle;
    if (!moveCenter)
        return;
    if (m_centerPoint)
        m_centerPoint->point(circle.center());
    releasePoints(kTransactDo, {&startPointField(), &endPointField()});
}

bool CircArc3D::degenerate() const {
    return m_arcCurve.isDegenerate(ZkGeContext::gTol);
}

std::vector<PassiveRef<Point3D>> CircArc3D::deleteNominees() const {
    std::vector<PassiveRef<Point3D>> nominees = Curve3D::deleteNominees();
    if (m_centerPoint)
        nominees.emplace_back(m_centerPoint.get());
    return nominees;
}

StrongRef<Curve3D> CircArc3D::reverseCurve() {
    if (isClosed())
        return make(owner(), m_centerPoint, -normal(), radius());
    return make(owner(), m_centerPoint, endPoint(), startPoint(), -normal());
}

StrongRef<Curve3D> CircArc3D::transformBy(const ZkGeMatrix3d& matrix) {
    ZkGePoint3d q = center();
    ZkGeVector3d n = normal();
    q.transformBy(matrix);
    n.transformBy(matrix);
    if (isClosed())
        return make(owner(), q, n, radius());
    ZkGePoint3d s = start(), e = end();
    return make(owner(), q, s.transformBy(matrix), e.transformBy(matrix), n);
}

StrongRef<Curve3D> CircArc3D::clone() {
    if (isClosed())
        return make(owner(), center(), normal(), radius());
    return make(owner(), center(), start(), end(), normal());
}

void CircArc3D::SplitInTwo(const StrongRef<Point3D>& at, StrongRef<Curve3D>& first,
                           StrongRef<Curve3D>& second) {
    if (!at || !startPoint() || !endPoint())
        return;
    first = make(owner(), center(), start(), at->point(), normal());
    second = make(owner(), center(), at->point(), end(), normal());
}

ZkGeVector3d CircArc3D::GetCurveTangentAtEndPoint() const {
    if (!endPoint())
        return ZkGeVector3d::kXAxis;
    return (end() - center()).normal().crossProduct(normal());
}

bool CircArc3D::getPosition(ZkGePoint3d& position) const {
    position = center();
    return true;
}

bool CircArc3D::onReferences(const StrongRef<Point3D>& point) const {
    return point && (point == m_centerPoint || point == startPoint() || point == endPoint());
}

void CircArc3D::onCreateGeometryNode(Scene::NodeChange& change) {
    Curve3D::onCreateGeometryNode(change);
    Wyn::Graphics::ARenderNode* arc = change.createCircleArcNode(this, m_arcCurve);
    sceneNode(arc);
    change.addChild(arc);
}

void CircArc3D::realizeGeometry(Scene::NodeChange& change) {
    Scene::NodeChange(curveNode()).setCircleArc(m_arcCurve);
    Curve3D::realizeGeometry(change);
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
