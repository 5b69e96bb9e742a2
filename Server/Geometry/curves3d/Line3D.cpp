#include "Geometry/curves3d/Line3D.h"

#include "Geometry/sketch3d/Point3D.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

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

Line3D::Line3D(Entity* parent, const StrongRef<Point3D>& start, const StrongRef<Point3D>& end)
    : Curve3D(parent) {
    startPointField() = start;
    endPointField() = end;
    m_lineCurve.set(this->start(), this->end());
    initializeMemberSetIfNeeded();
}

Line3D::Line3D(Segment* segment, uint64_t id) : Curve3D(segment, id) {
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
    if (DataChange::test(kind, kTransactReplay))
        return;
    for (const StrongRef<Point3D>& point : {startPoint(), endPoint()})
        if (point)
            point->addCurveUse(PassiveRef<Curve3D>(this));
}

void Line3D::updateCurve() {
    EntityChange change(this, kTransactDo, kChangeEverything, 3, nullptr, true);
    ZkGePoint3d a = start();
    ZkGePoint3d b = end();
    if (a.isEqualTo(b))
        b.x = a.x + 1e-7; // a segment never has zero length
    m_lineCurve.set(a, b);
}

bool Line3D::onReferences(const StrongRef<Point3D>& point) const {
    return point && (point == startPoint() || point == endPoint());
}

void* Line3D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Curve3D::queryInterface(id);
}

std::wstring Line3D::onToString() const {
    return (boost::wformat(L"Line3D (Base %1%)") % Curve3D::onToString()).str();
}

} // namespace Kv::Geometry
