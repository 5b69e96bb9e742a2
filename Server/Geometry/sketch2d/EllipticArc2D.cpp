#include "Geometry/sketch2d/EllipticArc2D.h"

#include "Geometry/sketch2d/Point2D.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(EllipticArc2D)

namespace {

// Ends are given as directions from the centre, measured from the x axis as
// for circles.
double angleOf(const ZkGeVector2d& v) {
    return ZkGeArcAngles::fromComponents(v.y, v.x);
}

} // namespace

StrongRefCreator<EllipticArc2D>
EllipticArc2D::create(Entity* parent, const StrongRef<Point2D>& center,
                      const ZkGeVector2d& majorAxis, double majorRadius, double minorRadius,
                      const StrongRef<Point2D>& start, const StrongRef<Point2D>& end) {
    if (!parent || !center)
        return {};
    StrongRef<EllipticArc2D> arc(
        new EllipticArc2D(parent, center, majorAxis, majorRadius, minorRadius, start, end));
    arc->postCreation(kTransactDo);
    return StrongRefCreator<EllipticArc2D>(arc);
}

StrongRefCreator<EllipticArc2D>
EllipticArc2D::make(const StrongRef<Entity>& parent, const ZkGePoint2d& center,
                    const ZkGeVector2d& majorAxis, double majorRadius, double minorRadius,
                    const ZkGePoint2d& start, const ZkGePoint2d& end) {
    if (!parent)
        return {};
    StrongRef<Point2D> centerPoint = Point2D::findOrMake(parent, center);
    StrongRef<Point2D> startPoint = Point2D::findOrMake(parent, start);
    StrongRef<Point2D> endPoint = Point2D::findOrMake(parent, end);
    return create(parent.get(), centerPoint, majorAxis, majorRadius, minorRadius, startPoint,
                  endPoint);
}

StrongRefCreator<EllipticArc2D> EllipticArc2D::make(const StrongRef<Entity>& parent,
                                                    const ZkGePoint2d& center,
                                                    const ZkGeVector2d& majorAxis,
                                                    double majorRadius, double minorRadius) {
    if (!parent)
        return {};
    return create(parent.get(), Point2D::findOrMake(parent, center), majorAxis, majorRadius,
                  minorRadius, {}, {});
}

StrongRefCreator<EllipticArc2D> EllipticArc2D::make(const StrongRef<Point2D>& center,
                                                    const ZkGeVector2d& majorAxis,
                                                    double majorRadius, double minorRadius,
                                                    const StrongRef<Point2D>& start,
                                                    const StrongRef<Point2D>& end) {
    if (!center)
        return {};
    return create(center->parentEntity(), center, majorAxis, majorRadius, minorRadius, start, end);
}

StrongRefCreator<EllipticArc2D> EllipticArc2D::make(const StrongRef<Point2D>& center,
                                                    const ZkGeVector2d& majorAxis,
                                                    double majorRadius, double minorRadius) {
    if (!center)
        return {};
    return create(center->parentEntity(), center, majorAxis, majorRadius, minorRadius, {}, {});
}

EllipticArc2D::EllipticArc2D(Entity* parent, const StrongRef<Point2D>& center,
                             const ZkGeVector2d& majorAxis, double majorRadius, double minorRadius,
                             const StrongRef<Point2D>& start, const StrongRef<Point2D>& end)
    : Geometry2D(parent)
    , m_rCenterPoint(center)
    , m_rStartPoint(start)
    , m_rEndPoint(end) {
    const ZkGePoint2d origin = center->point();
    if (start && end)
        m_arcCurve.set(origin, majorAxis, majorRadius, minorRadius,
                       angleOf(start->point() - origin), angleOf(end->point() - origin));
    else
        m_arcCurve.set(origin, majorAxis, majorRadius, minorRadius);
    initializeMemberSetIfNeeded();
}

EllipticArc2D::EllipticArc2D(Segment* segment, uint64_t id)
    : Geometry2D(segment, id) {
    initializeMemberSetIfNeeded();
}

void EllipticArc2D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "rCenterPoint", m_rCenterPoint);
    registerMember(memberSet, "rStartPoint", m_rStartPoint);
    registerMember(memberSet, "rEndPoint", m_rEndPoint);
    registerMember(memberSet, "arcCurve", m_arcCurve);
}

void EllipticArc2D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

template <class Edit> void EllipticArc2D::editCurve(Edit edit) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    edit(m_arcCurve);
    resetEndPoints();
}

void EllipticArc2D::majorAxisDirn(const ZkGeVector2d& direction) {
    editCurve([&](ZkGeEllipArc2d& c) {
        c.set(c.center(), direction, c.majorRadius(), c.minorRadius(), c.startAng(), c.endAng());
    });
}

void EllipticArc2D::majorRadius(double radius) {
    editCurve([&](ZkGeEllipArc2d& c) {
        c.set(c.center(), c.majorAxis(), radius, c.minorRadius(), c.startAng(), c.endAng());
    });
}

void EllipticArc2D::minorRadius(double radius) {
    editCurve([&](ZkGeEllipArc2d& c) {
        c.set(c.center(), c.majorAxis(), c.majorRadius(), radius, c.startAng(), c.endAng());
    });
}

void EllipticArc2D::arcCurve(const ZkGeEllipArc2d& curve) {
    editCurve([&](ZkGeEllipArc2d& c) {
        c = curve;
        // The old centre point stays: it may be a corner of other geometry.
        if (!m_rCenterPoint || !c.center().isEqualTo(m_rCenterPoint->point(), ZkGeContext::gTol))
            m_rCenterPoint = findOrMakePoint(c.center());
    });
}

bool EllipticArc2D::isEllipse() const {
    return m_arcCurve.isClosed(ZkGeContext::gTol);
}

void EllipticArc2D::start(const ZkGePoint2d& position) {
    setArcEndPoints(position, m_arcCurve.endPoint());
}

void EllipticArc2D::end(const ZkGePoint2d& position) {
    setArcEndPoints(m_arcCurve.startPoint(), position);
}

void EllipticArc2D::setArcEndPoints(const ZkGePoint2d& start, const ZkGePoint2d& end) {
    editCurve([&](ZkGeEllipArc2d& c) {
        c.setAngles(angleOf(start - c.center()), angleOf(end - c.center()));
    });
}

StrongRef<Point2D> EllipticArc2D::findOrMakePoint(const ZkGePoint2d& position) {
    return Point2D::findOrMake(StrongRef<Entity>(parentEntity()), position);
}

void EllipticArc2D::resetEndPoints() {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    const StrongRef<Geometry2D> self(this);
    if (m_arcCurve.isClosed(ZkGeContext::gTol)) {
        if (m_rStartPoint && m_rStartPoint != m_rEndPoint)
            m_rStartPoint->garbageCollectOnChange(self);
        if (m_rEndPoint)
            m_rEndPoint->garbageCollectOnChange(self);
        m_rStartPoint.reset();
        m_rEndPoint.reset();
        return;
    }
    const ZkGePoint2d start = m_arcCurve.startPoint();
    if (!m_rStartPoint || !m_rStartPoint->point().isEqualTo(start, ZkGeContext::gTol)) {
        if (m_rStartPoint && m_rStartPoint != m_rEndPoint)
            m_rStartPoint->garbageCollectOnChange(self);
        m_rStartPoint = findOrMakePoint(start);
    }
    const ZkGePoint2d end = m_arcCurve.endPoint();
    if (m_rEndPoint && m_rEndPoint != m_rStartPoint &&
        !m_rEndPoint->point().isEqualTo(end, ZkGeContext::gTol))
        m_rEndPoint->garbageCollectOnChange(self);
    // An end point already at the end is found again.
    m_rEndPoint = findOrMakePoint(end);
}

void EllipticArc2D::onTranslate(const ZkGeVector2d& offset) {
    ZkGeEllipArc2d moved = m_arcCurve;
    moved.set(moved.center() + offset, moved.majorAxis(), moved.majorRadius(), moved.minorRadius(),
              moved.startAng(), moved.endAng());
    arcCurve(moved);
}

bool EllipticArc2D::onReferences(const StrongRef<Point2D>& point) const {
    return point && (point == m_rStartPoint || point == m_rEndPoint || point == m_rCenterPoint);
}

void EllipticArc2D::onPreDeletion(int kind) {
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

void* EllipticArc2D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry2D::queryInterface(id);
}

std::wstring EllipticArc2D::onToString() const {
    const ZkGePoint2d c = center();
    const ZkGeVector2d axis = majorAxisDirn();
    if (isEllipse())
        return (boost::wformat(L"EllipticArc2D is an ellipse with center (%1%, %2%) "
                               L"majorAxisDirn (%3%, %4%) majorRadius %5% minorRadius %6% "
                               L"(Base %7%)") %
                c.x % c.y % axis.x % axis.y % majorRadius() % minorRadius() %
                Geometry2D::onToString())
            .str();
    const ZkGePoint2d from = m_rStartPoint ? m_rStartPoint->point() : m_arcCurve.startPoint();
    const ZkGePoint2d to = m_rEndPoint ? m_rEndPoint->point() : m_arcCurve.endPoint();
    return (boost::wformat(L"EllipticArc2D from (%1%, %2%) to (%3%, %4%) center (%5%, %6%) "
                           L"\t\t\t\t\t\t\t\t\t   "
                           L"majorAxisDirn (%7%, %8%) majorRadius %9% minorRadius %10% "
                           L"(Base %11%)") %
            from.x % from.y % to.x % to.y % c.x % c.y % axis.x % axis.y % majorRadius() %
            minorRadius() % Geometry2D::onToString())
        .str();
}

} // namespace Kv::Geometry
