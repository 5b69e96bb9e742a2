#include "Geometry/sketch3d/Point3D.h"

#include "Geometry/curves3d/Curve3D.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Point3D)

StrongRefCreator<Point3D> Point3D::make(const StrongRef<Entity>& parent,
                                        const ZkGePoint3d& position) {
    if (!parent)
        return {};
    StrongRef<Point3D> point(new Point3D(parent.get(), position));
    point->postCreation(kTransactDo);
    return StrongRefCreator<Point3D>(point);
}

Point3D::Point3D(Entity* parent, const ZkGePoint3d& position)
    : Geometry3D(parent), m_point(position) {
    initializeMemberSetIfNeeded();
}

Point3D::Point3D(Segment* segment, uint64_t id) : Geometry3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void Point3D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "point", m_point);
    registerMember(memberSet, "curveUses", m_curveUses);
    registerMember(memberSet, "isFixed", m_isFixed);
}

void Point3D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void Point3D::onPostCreation(int kind) {
    Geometry3D::onPostCreation(kind);
    if (!DataChange::test(kind, kTransactReplay))
        m_curveUses = CurveUses::make(StrongRef<Entity>(this));
}

void Point3D::point(const ZkGePoint3d& position) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_point = position;
}

void Point3D::fixed(bool fixed) {
    EntityChange change(this, kTransactDo, kChangeEverything, 3, nullptr, true);
    m_isFixed = fixed;
}

void Point3D::addCurveUse(const PassiveRef<Curve3D>& curve) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    if (m_curveUses)
        m_curveUses->add(curve);
}

void Point3D::removeCurveUse(const PassiveRef<Curve3D>& curve) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    if (m_curveUses)
        m_curveUses->remove(curve);
}

bool Point3D::getPosition(ZkGePoint3d& position) const {
    position = m_point;
    return true;
}

void Point3D::onTranslate(const ZkGeVector3d& offset) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_point = m_point + offset;
}

void* Point3D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry3D::queryInterface(id);
}

std::wstring Point3D::onToString() const {
    return (boost::wformat(L"Point3D at (%1%, %2%) (Base %3%)") % m_point.x % m_point.y %
            Geometry3D::onToString())
        .str();
}

} // namespace Kv::Geometry
