#include "Geometry/sketch2d/Arc2D.h"

#include "Geometry/sketch2d/Point2D.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Arc2D)

namespace {

double angleOf(const ZkGeVector2d& v) {
    return ZkGeArcAngles::fromComponents(v.y, v.x);
}

} // namespace

StrongRefCreator<Arc2D> Arc2D::create(Entity* parent, const StrongRef<Point2D>& center,
                                      const StrongRef<Point2D>& start,
                                      const StrongRef<Point2D>& end, double radius) {
    if (!parent || !center)
        return {};
    StrongRef<Arc2D> arc(new Arc2D(parent, center, start, end, radius));
    arc->postCreation(kTransactDo);
    return StrongRefCreator<Arc2D>(arc);
}

StrongRefCreator<Arc2D> Arc2D::make(const StrongRef<Point2D>& center,
                                    const StrongRef<Point2D>& start,
                                    const StrongRef<Point2D>& end) {
    if (!center || !start)
        return {};
    return create(center->parentEntity(), center, start, end,
                  center->point().distanceTo(start->point()));
}

StrongRefCreator<Arc2D> Arc2D::make(const StrongRef<Point2D>& center, double radius) {
    if (!center)
        return {};
    return create(center->parentEntity(), center, {}, {}, radius);
}

StrongRefCreator<Arc2D> Arc2D::make(const StrongRef<Entity>& parent, const ZkGePoint2d& center,
                                    const ZkGePoint2d& start, const ZkGePoint2d& end) {
    if (!parent)
        return {};
    StrongRef<Point2D> centerPoint = Point2D::findOrMake(parent, center);
    StrongRef<Point2D> startPoint = Point2D::findOrMake(parent, start);
    StrongRef<Point2D> endPoint = Point2D::findOrMake(parent, end);
    return create(parent.get(), centerPoint, startPoint, endPoint, center.distanceTo(start));
}

StrongRefCreator<Arc2D> Arc2D::make(const StrongRef<Entity>& parent, const ZkGePoint2d& center,
                                    double radius) {
    if (!parent)
        return {};
    return create(parent.get(), Point2D::findOrMake(parent, center), {}, {}, radius);
}

Arc2D::Arc2D(Entity* parent, const StrongRef<Point2D>& center, const StrongRef<Point2D>& start,
             const StrongRef<Point2D>& end, double radius)
    : Geometry2D(parent)
    , m_rCenterPoint(center)
    , m_rStartPoint(start)
    , m_rEndPoint(end) {
    const ZkGePoint2d origin = center->point();
    if (start && end)
        m_arcCurve.set(origin, radius, angleOf(start->point() - origin),
                       angleOf(end->point() - origin), ZkGeVector2d::kXAxis);
    else
        m_arcCurve.set(origin, radius);
    initializeMemberSetIfNeeded();
}

Arc2D::Arc2D(Segment* segment, uint64_t id)
    : Geometry2D(segment, id) {
    initializeMemberSetIfNeeded();
}

void Arc2D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "rCenterPoint", m_rCenterPoint);
    registerMember(memberSet, "rStartPoint", m_rStartPoint);
    registerMember(memberSet, "rEndPoint", m_rEndPoint);
    registerMember(memberSet, "arcCurve", m_arcCurve);
}

void Arc2D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void Arc2D::arcCurve(const ZkGeCircArc2d& curve) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_arcCurve = curve;
}

bool Arc2D::isCircle() const {
    return m_arcCurve.isClosed(ZkGeContext::gTol);
}

bool Arc2D::onReferences(const StrongRef<Point2D>& point) const {
    return point && (point == m_rStartPoint || point == m_rEndPoint || point == m_rCenterPoint);
}

void Arc2D::onPreDeletion(int kind) {
    // Letting go of the points is recorded, so that undoing the deletion
    // gives the arc its points back.
    {
        EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
        for (StrongRef<Point2D>* field : {&m_rCenterPoint, &m_rStartPoint, &m_rEndPoint}) {
            if (*field && !DataChange::test(kind, kTransactReplay))
                (*field)->garbageCollectOnDeletion(StrongRef<Geometry2D>(this));
            field->reset();
        }
    }
    Geometry2D::onPreDeletion(kind);
}

void* Arc2D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry2D::queryInterface(id);
}

std::wstring Arc2D::onToString() const {
    const ZkGePoint2d center = m_arcCurve.center();
    if (isCircle())
        return (boost::wformat(L"Arc2D is a circle center (%1%, %2%) radius %3% (Base %4%)") %
                center.x % center.y % radius() % Geometry2D::onToString())
            .str();
    const ZkGePoint2d from = m_rStartPoint ? m_rStartPoint->point() : m_arcCurve.startPoint();
    const ZkGePoint2d to = m_rEndPoint ? m_rEndPoint->point() : m_arcCurve.endPoint();
    return (boost::wformat(
                L"Arc2D from (%1%, %2%) to (%3%, %4%) center (%5%, %6%) radius %7% (Base %8%)") %
            from.x % from.y % to.x % to.y % center.x % center.y % radius() %
            Geometry2D::onToString())
        .str();
}

} // namespace Kv::Geometry
