#include "Geometry/sketch2d/Spline2D.h"

#include "Geometry/sketch2d/Point2D.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Spline2D)

StrongRefCreator<Spline2D> Spline2D::make(const StrongRef<Point2D>& start,
                                          const StrongRef<Point2D>& end,
                                          const ZkArray<ZkGePoint2d>& fitPoints) {
    Entity* parent = start ? start->parentEntity() : nullptr;
    if (!parent)
        return {};
    StrongRef<Spline2D> spline(new Spline2D(parent, start, end, fitPoints));
    spline->postCreation(kTransactDo);
    return StrongRefCreator<Spline2D>(spline);
}

StrongRefCreator<Spline2D> Spline2D::make(const StrongRef<Entity>& parent,
                                          const ZkArray<ZkGePoint2d>& fitPoints) {
    if (!parent || fitPoints.isEmpty())
        return {};
    StrongRef<Point2D> start = Point2D::findOrMake(parent, fitPoints.first());
    StrongRef<Point2D> end = Point2D::findOrMake(parent, fitPoints.last());
    StrongRef<Spline2D> spline(new Spline2D(parent.get(), start, end, fitPoints));
    spline->postCreation(kTransactDo);
    return StrongRefCreator<Spline2D>(spline);
}

Spline2D::Spline2D(Entity* parent, const StrongRef<Point2D>& start, const StrongRef<Point2D>& end,
                   const ZkArray<ZkGePoint2d>& fitPoints)
    : Geometry2D(parent)
    , m_rStartPoint(start)
    , m_rEndPoint(end)
    , m_splineCurve(fitPoints, ZkGeContext::gTol) {
    initializeMemberSetIfNeeded();
}

Spline2D::Spline2D(Segment* segment, uint64_t id)
    : Geometry2D(segment, id) {
    initializeMemberSetIfNeeded();
}

void Spline2D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "rStartPoint", m_rStartPoint);
    registerMember(memberSet, "rEndPoint", m_rEndPoint);
    registerMember(memberSet, "splineCurve", m_splineCurve);
    registerMember(memberSet, "fitPointsLimit", m_fitPointsLimit);
}

void Spline2D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

unsigned int Spline2D::fitPoints() const {
    return static_cast<unsigned int>(m_splineCurve.numFitPoints());
}

ZkGePoint2d Spline2D::fitPoint(unsigned int index) const {
    ZkGePoint2d point;
    m_splineCurve.getFitPointAt(static_cast<int>(index), point);
    return point;
}

void Spline2D::getFitPoints(ZkArray<ZkGePoint2d>& fitPoints) const {
    ZkGeTol tolerance;
    bool tangentsExist = false;
    ZkGeVector2d startTangent;
    ZkGeVector2d endTangent;
    fitPoints.removeAll();
    m_splineCurve.getFitData(fitPoints, tolerance, tangentsExist, startTangent, endTangent);
}

void Spline2D::splineCurve(const ZkGeNurbCurve2d& curve) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_splineCurve = curve;
    resetEndPoints();
}

void Spline2D::setFitPointLimit(unsigned int limit) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_fitPointsLimit = limit;
}

void Spline2D::setFitPoints(const ZkArray<ZkGePoint2d>& fitPoints) {
    if (fitPoints.isEmpty())
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_splineCurve.setFitData(fitPoints, ZkGeContext::gTol);
    resetEndPoints();
}

void Spline2D::addFitPoint(const ZkGePoint2d& point) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    int count = m_splineCurve.numFitPoints();
    if (m_fitPointsLimit != 0 && static_cast<unsigned int>(count) >= m_fitPointsLimit) {
        // Every other point goes, the first always stays: the shape is kept
        // roughly while the list stays short as the user keeps drawing.
        ZkArray<ZkGePoint2d> all;
        getFitPoints(all);
        ZkArray<ZkGePoint2d> kept;
        for (int i = 0; i < count; i += 2)
            kept.append(all[i]);
        setFitPoints(kept);
        count = m_splineCurve.numFitPoints();
    }
    m_splineCurve.addFitPointAt(count, point);
    resetEndPoint(point);
}

void Spline2D::replaceLastFitPoint(const ZkGePoint2d& point) {
    const int count = m_splineCurve.numFitPoints();
    if (count == 0)
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_splineCurve.setFitPointAt(count - 1, point);
    resetEndPoint(point);
}

void Spline2D::rebind(StrongRef<Point2D>& field, const StrongRef<Point2D>& otherEnd,
                      const ZkGePoint2d& position) {
    if (field && field != otherEnd)
        field->garbageCollectOnChange(StrongRef<Geometry2D>(this));
    field = Point2D::findOrMake(StrongRef<Entity>(parentEntity()), position);
}

void Spline2D::resetEndPoints() {
    const int count = m_splineCurve.numFitPoints();
    if (count == 0)
        return;
    const ZkGePoint2d first = fitPoint(0);
    if (!m_rStartPoint || !m_rStartPoint->point().isEqualTo(first, ZkGeContext::gTol))
        rebind(m_rStartPoint, m_rEndPoint, first);
    const ZkGePoint2d last = fitPoint(static_cast<unsigned int>(count - 1));
    if (!m_rEndPoint || !m_rEndPoint->point().isEqualTo(last, ZkGeContext::gTol))
        rebind(m_rEndPoint, m_rStartPoint, last);
}

void Spline2D::resetEndPoint(const ZkGePoint2d& position) {
    rebind(m_rEndPoint, m_rStartPoint, position);
}

void Spline2D::onTranslate(const ZkGeVector2d& offset) {
    ZkArray<ZkGePoint2d> points;
    ZkGeTol tolerance;
    bool tangentsExist = false;
    ZkGeVector2d startTangent;
    ZkGeVector2d endTangent;
    if (!m_splineCurve.getFitData(points, tolerance, tangentsExist, startTangent, endTangent))
        return;
    for (ZkGePoint2d& point : points)
        point += offset;
    ZkGeNurbCurve2d moved = m_splineCurve;
    moved.setFitData(points, tolerance, tangentsExist, startTangent, endTangent);
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_splineCurve = moved;
    resetEndPoints();
}

void Spline2D::realizeGeometry(Scene::NodeChange& change, int level) {
    Geometry2D::realizeGeometry(change, level);
    // The fit points rather than the kernel's box of the control points,
    // which can stand well off a curve through sharp turns.
    ZkGeBoundBlock2d box;
    for (const StrongRef<Point2D>& end : {m_rStartPoint, m_rEndPoint})
        if (end)
            box.extend(end->point());
    ZkArray<ZkGePoint2d> points;
    getFitPoints(points);
    for (const ZkGePoint2d& point : points)
        box.extend(point);
    if (!box.isEmpty())
        modelBox(change, box);
}

bool Spline2D::onReferences(const StrongRef<Point2D>& point) const {
    return point && (point == m_rStartPoint || point == m_rEndPoint);
}

void Spline2D::onPreDeletion(int kind) {
    // Letting go of the points is recorded, so that undoing the deletion
    // gives the spline its points back.
    {
        EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
        for (StrongRef<Point2D>* field : {&m_rStartPoint, &m_rEndPoint}) {
            if (*field && !DataChange::test(kind, kTransactReplay))
                (*field)->garbageCollectOnDeletion(StrongRef<Geometry2D>(this));
            field->reset();
        }
    }
    Geometry2D::onPreDeletion(kind);
}

void* Spline2D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry2D::queryInterface(id);
}

std::wstring Spline2D::onToString() const {
    const ZkGePoint2d from = m_rStartPoint ? m_rStartPoint->point() : ZkGePoint2d::kOrigin;
    const ZkGePoint2d to = m_rEndPoint ? m_rEndPoint->point() : ZkGePoint2d::kOrigin;
    return (boost::wformat(L"Spline2D from (%1%, %2%) to (%3%, %4%) with %5% fit points "
                           L"(Base %6%)") %
            from.x % from.y % to.x % to.y % fitPoints() % Geometry2D::onToString())
        .str();
}

} // namespace Kv::Geometry
