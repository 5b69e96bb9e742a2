#include "Geometry/curves3d/EllipticArc3D.h"

#include "Geometry/sketch3d/Point3D.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/Scene/NodeChange.h"
#include "Wyn/Graphics/EllipseArcNode.h"
#include "ZkGeContext.h"
#include "ZkGeMatrix3d.h"

#include <boost/format.hpp>

#include <cmath>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(EllipticArc3D)

namespace {

constexpr double kTwoPi = 2.0 * M_PI;

ZkGePoint3d positionOf(const StrongRef<Point3D>& point) {
    return point ? point->point() : ZkGePoint3d::kOrigin;
}

} // namespace

StrongRefCreator<EllipticArc3D>
EllipticArc3D::make(const StrongRef<Entity>& parent, const StrongRef<Point3D>& center,
                    const StrongRef<Point3D>& start, const StrongRef<Point3D>& end,
                    const ZkGeVector3d& major, const ZkGeVector3d& minor) {
    if (!parent)
        return {};
    StrongRef<EllipticArc3D> arc(new EllipticArc3D(parent.get(), center, start, end, major, minor));
    arc->postCreation(kTransactDo);
    return StrongRefCreator<EllipticArc3D>(arc);
}

StrongRefCreator<EllipticArc3D> EllipticArc3D::make(const StrongRef<Entity>& parent,
                                                    const StrongRef<Point3D>& center,
                                                    const ZkGeVector3d& major,
                                                    const ZkGeVector3d& minor) {
    return make(parent, center, StrongRef<Point3D>(), StrongRef<Point3D>(), major, minor);
}

StrongRefCreator<EllipticArc3D>
EllipticArc3D::make(const StrongRef<Entity>& parent, const ZkGePoint3d& center,
                    const ZkGePoint3d& start, const ZkGePoint3d& end, const ZkGeVector3d& major,
                    const ZkGeVector3d& minor) {
    if (!parent)
        return {};
    const StrongRef<Point3D> centerPoint = Point3D::findOrMake(parent, center);
    const StrongRef<Point3D> startPoint = Point3D::findOrMake(parent, start);
    return make(parent, centerPoint, startPoint, Point3D::findOrMake(parent, end), major, minor);
}

StrongRefCreator<EllipticArc3D> EllipticArc3D::make(const StrongRef<Entity>& parent,
                                                    const ZkGePoint3d& center,
                                                    const ZkGeVector3d& major,
                                                    const ZkGeVector3d& minor) {
    if (!parent)
        return {};
    return make(parent, Point3D::findOrMake(parent, center), major, minor);
}

EllipticArc3D::EllipticArc3D(Entity* parent, const StrongRef<Point3D>& center,
                             const StrongRef<Point3D>& start, const StrongRef<Point3D>& end,
                             const ZkGeVector3d& major, const ZkGeVector3d& minor)
    : Curve3D(parent)
    , m_centerPoint(center) {
    startPointField() = start;
    endPointField() = end;
    const ZkGePoint3d q = positionOf(center);
    const double a = major.length();
    const double b = minor.length();
    if (start && end) {
        const double startAngle = decomposePointIntoAngParam(q, major, minor, this->start());
        const double endAngle = decomposePointIntoAngParam(q, major, minor, this->end());
        m_ellipticCurve.set(q, major.normal(), minor.normal(), a, b, startAngle, endAngle);
    } else {
        m_ellipticCurve.set(q, major.normal(), minor.normal(), a, b);
    }
    initializeMemberSetIfNeeded();
}

EllipticArc3D::EllipticArc3D(Segment* segment, uint64_t id)
    : Curve3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void EllipticArc3D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "ellipticCurve", m_ellipticCurve);
    registerMember(memberSet, "rCenterPoint", m_centerPoint);
    registerMember(memberSet, "rStartPoint", startPointField());
    registerMember(memberSet, "rEndPoint", endPointField());
}

void EllipticArc3D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void EllipticArc3D::onPostCreation(int kind) {
    Curve3D::onPostCreation(kind);
    addToCurveUses(kind, {m_centerPoint, startPoint(), endPoint()});
}

void EllipticArc3D::onPreDeletion(int kind) {
    releasePoints(kind, {&m_centerPoint, &startPointField(), &endPointField()});
    Curve3D::onPreDeletion(kind);
}

double EllipticArc3D::adjustPeriod2PI(double angle) {
    while (angle < 0.0)
        angle += kTwoPi;
    while (angle > kTwoPi)
        angle -= kTwoPi;
    return angle;
}

double EllipticArc3D::decomposePointIntoAngParam(const ZkGePoint3d& center,
                                                 const ZkGeVector3d& major,
                                                 const ZkGeVector3d& minor,
                                                 const ZkGePoint3d& position) {
    double angle = 0.0;
    if (position.isEqualTo(center)) {
        angle =
            (std::atan2((minor.lengthSqrd() - major.lengthSqrd()) * 0.5, minor.dotProduct(major)) -
             M_PI_2) *
            0.5;
    } else {
        // In the frame of the scaled axes the ellipse is the unit circle, so
        // the parametric angle is the polar angle there.
        ZkGeMatrix3d frame;
        frame.setCoordSystem(center, major, minor, major.crossProduct(minor).normal());
        ZkGePoint3d local = position;
        local.transformBy(frame.invert());
        angle = std::atan2(local.y, local.x);
    }
    return adjustPeriod2PI(angle);
}

ZkGePoint3d EllipticArc3D::center() const {
    return positionOf(m_centerPoint);
}

ZkGeVector3d EllipticArc3D::majorAxis() const {
    return m_ellipticCurve.majorAxis() * m_ellipticCurve.majorRadius();
}

ZkGeVector3d EllipticArc3D::minorAxis() const {
    return m_ellipticCurve.minorAxis() * m_ellipticCurve.minorRadius();
}

void EllipticArc3D::updateCurve(const ZkGePoint3d& center, const ZkGePoint3d& start,
                                const ZkGePoint3d& end, ZkGeEllipArc3d& arc) const {
    // Read everything first: `arc` may be this entity's own.
    const ZkGeVector3d majorUnit = m_ellipticCurve.majorAxis();
    const ZkGeVector3d minorUnit = m_ellipticCurve.minorAxis();
    const double a = majorRadius();
    const double b = minorRadius();
    if (m_ellipticCurve.isClosed()) {
        arc.set(center, majorUnit, minorUnit, a, b);
        return;
    }
    const ZkGeVector3d major = majorUnit * a;
    const ZkGeVector3d minor = minorUnit * b;
    arc.set(center, majorUnit, minorUnit, a, b,
            decomposePointIntoAngParam(center, major, minor, start),
            decomposePointIntoAngParam(center, major, minor, end));
}

void EllipticArc3D::updateCurve() {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    updateCurve(center(), start(), end(), m_ellipticCurve);
}

void EllipticArc3D::setStartPoint(const StrongRef<Point3D>& point) {
    Curve3D::setStartPoint(point);
    updateCurve();
}

void EllipticArc3D::setEndPoint(const StrongRef<Point3D>& point) {
    Curve3D::setEndPoint(point);
    updateCurve();
}

bool EllipticArc3D::isEllipse() const {
    return m_ellipticCurve.isClosed(ZkGeContext::gTol);
}

void EllipticArc3D::majorRadius(double radius) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_ellipticCurve.setAxesRadii(m_ellipticCurve.majorAxis(), m_ellipticCurve.minorAxis(), radius,
                                 minorRadius());
}

void EllipticArc3D::minorRadius(double radius) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_ellipticCurve.setAxesRadii(m_ellipticCurve.majorAxis(), m_ellipticCurve.minorAxis(),
                                 majorRadius(), radius);
}

void EllipticArc3D::setAxis(const ZkGeVector3d& major, const ZkGeVector3d& minor) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_ellipticCurve.setAxes(major, minor);
}

bool EllipticArc3D::degenerate() const {
    return m_ellipticCurve.isDegenerate(ZkGeContext::gTol);
}

std::vector<PassiveRef<Point3D>> EllipticArc3D::deleteNominees() const {
    std::vector<PassiveRef<Point3D>> nominees = Curve3D::deleteNominees();
    if (m_centerPoint)
        nominees.emplace_back(m_centerPoint.get());
    return nominees;
}

StrongRef<Curve3D> EllipticArc3D::reverseCurve() {
    if (isClosed())
        return make(owner(), m_centerPoint, majorAxis(), -minorAxis());
    return make(owner(), m_centerPoint, endPoint(), startPoint(), majorAxis(), -minorAxis());
}

StrongRef<Curve3D> EllipticArc3D::transformBy(const ZkGeMatrix3d& matrix) {
    ZkGePoint3d q = center();
    ZkGeVector3d u = majorAxis(), v = minorAxis();
    q.transformBy(matrix);
    u.transformBy(matrix);
    v.transformBy(matrix);
    if (isClosed())
        return make(owner(), q, u, v);
    ZkGePoint3d s = start(), e = end();
    return make(owner(), q, s.transformBy(matrix), e.transformBy(matrix), u, v);
}

StrongRef<Curve3D> EllipticArc3D::clone() {
    if (isClosed())
        return make(owner(), center(), majorAxis(), minorAxis());
    return make(owner(), center(), start(), end(), majorAxis(), minorAxis());
}

void EllipticArc3D::SplitInTwo(const StrongRef<Point3D>& at, StrongRef<Curve3D>& first,
                               StrongRef<Curve3D>& second) {
    if (!at || !startPoint() || !endPoint())
        return;
    first = make(owner(), center(), start(), at->point(), majorAxis(), minorAxis());
    second = make(owner(), center(), at->point(), end(), majorAxis(), minorAxis());
}

ZkGeVector3d EllipticArc3D::GetCurveTangentAtEndPoint() const {
    if (!endPoint())
        return ZkGeVector3d::kXAxis;
    const ZkGeVector3d normal = majorAxis().crossProduct(minorAxis()).normal();
    return (end() - center()).normal().crossProduct(normal);
}

bool EllipticArc3D::getPosition(ZkGePoint3d& position) const {
    position = center();
    return true;
}

bool EllipticArc3D::onReferences(const StrongRef<Point3D>& point) const {
    return point && (point == m_centerPoint || point == startPoint() || point == endPoint());
}

void EllipticArc3D::onCreateGeometryNode(Scene::NodeChange& change) {
    Curve3D::onCreateGeometryNode(change);
    Wyn::Graphics::ARenderNode* ellipse = change.createEllipseArcNode(this, m_ellipticCurve);
    sceneNode(ellipse);
    change.addChild(ellipse);
}

void EllipticArc3D::realizeGeometry(Scene::NodeChange& change) {
    Scene::NodeChange(curveNode()).setEllipseArc(m_ellipticCurve);
    Curve3D::realizeGeometry(change);
}

void* EllipticArc3D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Curve3D::queryInterface(id);
}

std::wstring EllipticArc3D::onToString() const {
    return (boost::wformat(L"EllipticArc3D (Base %1%)") % Curve3D::onToString()).str();
}

} // namespace Kv::Geometry
