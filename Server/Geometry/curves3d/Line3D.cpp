#include "Geometry/curves3d/Line3D.h"

#include "Geometry/sketch3d/Point3D.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/Scene/NodeChange.h"
#include "Wyn/Graphics/PolyLineNode.h"
#include "ZkGeContext.h"
#include "ZkGeMatrix3d.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Line3D)

StrongRefCreator<Line3D> Line3D::make(const StrongRef<Entity>& parent,
                                      const StrongRef<Point3D>& start,
                                      const StrongRef<Point3D>& end) {
    if (!parent)
        return {};
    StrongRef<Line3D> line(new Line3D(parent.get(), start, end));
    line->postCreation(kTransactDo);
    return StrongRefCreator<Line3D>(line);
}

StrongRefCreator<Line3D> Line3D::make(const StrongRef<Entity>& parent, const ZkGePoint3d& start,
                                      const ZkGePoint3d& end) {
    if (!parent)
        return {};
    const StrongRef<Point3D> startPoint = Point3D::findOrMake(parent, start);
    return make(parent, startPoint, Point3D::findOrMake(parent, end));
}

Line3D::Line3D(Entity* parent, const StrongRef<Point3D>& start, const StrongRef<Point3D>& end)
    : Curve3D(parent) {
    startPointField() = start;
    endPointField() = end;
    m_lineCurve.set(this->start(), this->end());
    initializeMemberSetIfNeeded();
}

Line3D::Line3D(Segment* segment, uint64_t id)
    : Curve3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void Line3D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "lineCurve", m_lineCurve);
    registerMember(memberSet, "rStartPoint", startPointField());
    registerMember(memberSet, "rEndPoint", endPointField());
}

void Line3D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void Line3D::onPostCreation(int kind) {
    Curve3D::onPostCreation(kind);
    addToCurveUses(kind, {startPoint(), endPoint()});
}

void Line3D::onPreDeletion(int kind) {
    releasePoints(kind, {&startPointField(), &endPointField()});
    Curve3D::onPreDeletion(kind);
}

void Line3D::setCurve(const ZkGeCurve3d& curve) {
    const auto* segment = dynamic_cast<const ZkGeLineSeg3d*>(&curve);
    if (!segment)
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_lineCurve = *segment;
}

void Line3D::updateCurve() {
    EntityChange change(this, kTransactDo, kChangeEverything, 3, nullptr, true);
    const ZkGePoint3d a = start();
    ZkGePoint3d b = end();
    if (a.isEqualTo(b))
        b.x = a.x + 1e-7; // a segment never has zero length
    m_lineCurve.set(a, b);
}

void Line3D::setStartPoint(const StrongRef<Point3D>& point) {
    Curve3D::setStartPoint(point);
    updateCurve();
}

void Line3D::setEndPoint(const StrongRef<Point3D>& point) {
    Curve3D::setEndPoint(point);
    updateCurve();
}

bool Line3D::degenerate() const {
    ZkGeTol tol = ZkGeContext::gTol;
    tol.setEqualPoint(1e-6);
    return start().isEqualTo(end(), tol);
}

StrongRef<Curve3D> Line3D::reverseCurve() {
    return make(owner(), endPoint(), startPoint());
}

StrongRef<Curve3D> Line3D::transformBy(const ZkGeMatrix3d& matrix) {
    ZkGePoint3d a = start(), b = end();
    return make(owner(), a.transformBy(matrix), b.transformBy(matrix));
}

StrongRef<Curve3D> Line3D::clone() {
    return make(owner(), start(), end());
}

void Line3D::SplitInTwo(const StrongRef<Point3D>& at, StrongRef<Curve3D>& first,
                        StrongRef<Curve3D>& second) {
    if (!at || !startPoint() || !endPoint())
        return;
    first = make(owner(), start(), at->point());
    second = make(owner(), at->point(), end());
}

ZkGeVector3d Line3D::GetCurveTangentAtEndPoint() const {
    return (end() - start()).normal();
}

bool Line3D::getPosition(ZkGePoint3d& position) const {
    position = m_lineCurve.midPoint();
    return true;
}

bool Line3D::onReferences(const StrongRef<Point3D>& point) const {
    return point && (point == startPoint() || point == endPoint());
}

void Line3D::onCreateGeometryNode(Scene::NodeChange& change) {
    sceneNode(change.createPolyLineNode(this, m_lineCurve.startPoint(), m_lineCurve.endPoint()));
}

void Line3D::realizeGeometry(Scene::NodeChange& change) {
    change.setPolyLine(m_lineCurve.startPoint(), m_lineCurve.endPoint());
}

void* Line3D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Curve3D::queryInterface(id);
}

std::wstring Line3D::onToString() const {
    return (boost::wformat(L"Line3D (Base %1%)") % Curve3D::onToString()).str();
}

} // namespace Kv::Geometry
