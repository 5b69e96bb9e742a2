#include "Geometry/curves3d/Spline3D.h"

#include "Geometry/curves3d/CurvatureHandle.h"
#include "Geometry/curves3d/TangentHandle.h"
#include "Geometry/sketch3d/CurvatureUses.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/PointUses.h"
#include "Geometry/sketch3d/TangentUses.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

#include <cmath>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Spline3D)

StrongRefCreator<Spline3D> Spline3D::make(const StrongRef<Entity>& parent,
                                          const ZkGeNurbCurve3d* curve,
                                          const std::vector<StrongRef<Point3D>>& points) {
    if (!parent)
        return {};
    StrongRef<Spline3D> spline(new Spline3D(parent.get(), curve, points));
    spline->postCreation(kTransactDo);
    // The use lists exist only once the spline is created.
    if (points.size() > 1) {
        const size_t interiorEnd = spline->isClosedSpline() ? points.size() : points.size() - 1;
        for (size_t i = 1; i < interiorEnd; ++i)
            spline->addPointUse(points[i]);
    }
    if (curve && curve->numFitPoints() > 0) {
        ZkGeVector3d startTangent;
        ZkGeVector3d endTangent;
        curve->getFitTangents(startTangent, endTangent);
        ZkGePoint3d position;
        if (curve->hasStartTangent() && curve->getFitPointAt(0, position))
            spline->addTangentUse(0, spline->makeTangentHandle(position, startTangent));
        const int last = curve->numFitPoints() - 1;
        if (curve->hasEndTangent() && curve->getFitPointAt(last, position))
            spline->addTangentUse(last, spline->makeTangentHandle(position, endTangent));
    }
    return StrongRefCreator<Spline3D>(spline);
}

Spline3D::Spline3D(Entity* parent, const ZkGeNurbCurve3d* curve,
                   const std::vector<StrongRef<Point3D>>& points)
    : Curve3D(parent) {
    if (curve)
        m_splineCurve = *curve;
    if (!points.empty()) {
        startPointField() = points.front();
        endPointField() = curve && curve->isClosed() ? points.front() : points.back();
    }
    initializeMemberSetIfNeeded();
}

Spline3D::Spline3D(Segment* segment, uint64_t id)
    : Curve3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void Spline3D::initializeMemberSet(uint32_t version, MemberSet& memberSet) {
    if (version > 2)
        return;
    registerMember(memberSet, "rStartPoint", startPointField());
    registerMember(memberSet, "rEndPoint", endPointField());
    registerMember(memberSet, "splineCurve", m_splineCurve);
    registerMember(memberSet, "fitPointsLimit", m_fitPointsLimit);
    registerMember(memberSet, "pointUses", m_pointUses);
    if (version == 2) {
        registerMember(memberSet, "tangentUses", m_tangentUses);
        registerMember(memberSet, "curvatureUses", m_curvatureUses);
        registerMember(memberSet, "handleScale", m_handleScale);
    }
    // The first splines were written before the curve base class had members
    // of its own, so their data holds none of them.
    if (version == 0)
        memberSet.setBase(&Geometry3D::memberSet());
}

void Spline3D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void Spline3D::onPostMigrate() {
    Curve3D::onPostMigrate();
    const uint32_t persisted = version();
    if (persisted >= s_metaType().version())
        return;
    postMigrate(persisted);
    version(s_metaType().version());
}

EMigrationStatus Spline3D::postMigrate(uint32_t oldVersion) {
    // Older splines had no handles; their scale is worked out when first needed.
    if (oldVersion < 2)
        m_handleScale = 0.0;
    return kMigrationDone;
}

void Spline3D::onPostCreation(int kind) {
    Curve3D::onPostCreation(kind);
    if (DataChange::test(kind, kTransactReplay))
        return;
    const StrongRef<Entity> self(this);
    m_pointUses = PointUses::make(self);
    if (startPoint())
        startPoint()->addCurveUse(PassiveRef<Curve3D>(this));
    if (endPoint() && endPoint() != startPoint())
        endPoint()->addCurveUse(PassiveRef<Curve3D>(this));
    m_tangentUses = TangentUses::make(self);
    m_curvatureUses = CurvatureUses::make(self);
}

void Spline3D::setCurve(const ZkGeCurve3d& curve) {
    if (!curve.isKindOf(ZkGe::kNurbCurve3d))
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_splineCurve = static_cast<const ZkGeNurbCurve3d&>(curve);
}

void Spline3D::setFitPointLimit(unsigned int limit) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_fitPointsLimit = limit;
}

bool Spline3D::isClosedSpline() const {
    return startPoint() && startPoint() == endPoint();
}

int Spline3D::fitPoints() const {
    int count = m_pointUses ? static_cast<int>(m_pointUses->geometriesCount()) : 0;
    if (startPoint())
        ++count;
    if (endPoint() && !isClosedSpline())
        ++count;
    return count;
}

StrongRef<Point3D> Spline3D::fitPoint(int index) const {
    const int count = fitPoints();
    if (index == 0 || (index == count && isClosedSpline()))
        return startPoint();
    if (index < 0 || index >= count)
        return {};
    if (index == count - 1 && !isClosedSpline())
        return endPoint();
    const auto& interior = m_pointUses->points();
    const size_t at = static_cast<size_t>(index - 1);
    return at < interior.size() ? interior[at] : StrongRef<Point3D>();
}

std::vector<StrongRef<Point3D>> Spline3D::fitPointEntities() const {
    std::vector<StrongRef<Point3D>> points;
    if (startPoint())
        points.push_back(startPoint());
    if (m_pointUses)
        points.insert(points.end(), m_pointUses->points().begin(), m_pointUses->points().end());
    if (endPoint() && !isClosedSpline())
        points.push_back(endPoint());
    return points;
}

void Spline3D::addPointUse(const StrongRef<Point3D>& point) {
    if (!point || !m_pointUses)
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    point->addCurveUse(PassiveRef<Curve3D>(this));
    m_pointUses->add(point);
    const int interior = static_cast<int>(m_pointUses->geometriesCount());
    if (m_tangentUses)
        m_tangentUses->rearrangeIndex(interior, false);
    if (m_curvatureUses)
        m_curvatureUses->rearrangeIndex(interior, false);
}

void Spline3D::addTangentUse(int index, const StrongRef<TangentHandle>& handle) {
    if (!handle)
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    if (!m_tangentUses)
        m_tangentUses = TangentUses::make(StrongRef<Entity>(this));
    if (handle->curveUses())
        handle->curveUses()->add(PassiveRef<Curve3D>(this));
    m_tangentUses->insert(index, handle);
}

void Spline3D::addCurvatureUse(int index, const StrongRef<CurvatureHandle>& handle) {
    if (!handle)
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    if (!m_curvatureUses)
        m_curvatureUses = CurvatureUses::make(StrongRef<Entity>(this));
    if (handle->curveUses())
        handle->curveUses()->add(PassiveRef<Curve3D>(this));
    m_curvatureUses->insert(index, handle);
}

bool Spline3D::hasTangent(int index) const {
    return m_tangentUses && m_tangentUses->contains(index);
}

bool Spline3D::hasCurvature(int index) const {
    return m_curvatureUses && m_curvatureUses->contains(index);
}

StrongRef<TangentHandle> Spline3D::makeTangentHandle(const ZkGePoint3d& position,
                                                     const ZkGeVector3d& tangent) {
    const StrongRef<Entity> owner(parentEntity());
    StrongRef<Point3D> start = Point3D::make(owner, position - tangent);
    StrongRef<Point3D> end = Point3D::make(owner, position + tangent);
    return TangentHandle::make(owner, start, end);
}

double Spline3D::handleScale() {
    if (std::abs(m_handleScale) < 1e-6) {
        const ZkGeBoundBlock3d box = m_splineCurve.boundBlock();
        m_handleScale = box.minPoint().distanceTo(box.maxPoint()) / 10.0;
    }
    return m_handleScale;
}

bool Spline3D::onReferences(const StrongRef<Point3D>& point) const {
    return point && (point == startPoint() || point == endPoint());
}

void Spline3D::onTranslate(const ZkGeVector3d&) {
    // The fit points move as entities of their own; the spline only notes it.
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
}

void* Spline3D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Curve3D::queryInterface(id);
}

std::wstring Spline3D::onToString() const {
    const ZkGePoint3d s = start();
    const ZkGePoint3d e = end();
    return (boost::wformat(L"Spline3D from (%1%, %2%, %3%) to (%4%, %5%, %6%) with %7% fit "
                           L"points (Base %8%)") %
            s.x % s.y % s.z % e.x % e.y % e.z % fitPoints() % Curve3D::onToString())
        .str();
}

} // namespace Kv::Geometry
