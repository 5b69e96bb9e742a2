#include "Geometry/selection/MeasurableSurface.h"

#include "Kv/Measure/IMeasurableCurve.h"
#include "Kv/Measure/IMeasurablePoint.h"
#include "Kv/Measure/MeasureUtil.h"

#include <utility>

namespace Kv::Geometry {
namespace {

// Puts a result measured from the partner's side back to this side: the
// first point on this surface.
bool fromThisSide(bool measured, MeasureMgr::MeasureResult& result) {
    if (measured)
        std::swap(result.firstPoint, result.secondPoint);
    return measured;
}

} // namespace

MeasurableSurface::MeasurableSurface(const StrongRef<LogicalSelection>& selection,
                                     const ZkGePlanarEnt* surface)
    : Measurable(selection) {
    if (!surface)
        return;
    m_surface.reset(static_cast<ZkGePlanarEnt*>(surface->copy().release()));
    m_surface->transformBy(transform());
}

bool MeasurableSurface::bounded() const {
    return m_surface && !m_surface->isKindOf(ZkGe::kPlane);
}

bool MeasurableSurface::planar() const {
    return m_surface && m_surface->isKindOf(ZkGe::kPlane);
}

bool MeasurableSurface::canMeasure(Measurable& other, MeasureMgr::EMeasureType type) const {
    if (!m_surface)
        return false;
    const auto* surface = ::Kv::queryInterface<IMeasurableSurface>(&other);
    const auto* curve = ::Kv::queryInterface<IMeasurableCurve>(&other);
    const auto* point = ::Kv::queryInterface<IMeasurablePoint>(&other);
    switch (type) {
    case MeasureMgr::kAngle:
        if (surface)
            return planar() && surface->planar();
        return curve && planar() && curve->linear();
    case MeasureMgr::kDistance:
        return surface || curve || point;
    default:
        return false;
    }
}

bool MeasurableSurface::measure(Measurable& other, MeasureMgr::EMeasureType type,
                                MeasureMgr::MeasureResult& result) const {
    if (!m_surface)
        return false;
    const auto* surface = ::Kv::queryInterface<IMeasurableSurface>(&other);
    const auto* curve = ::Kv::queryInterface<IMeasurableCurve>(&other);
    const auto* point = ::Kv::queryInterface<IMeasurablePoint>(&other);
    if (type == MeasureMgr::kAngle) {
        if (surface && surface->surface())
            return MeasureUtil::getSurfaceSurfaceAngle(*m_surface, hitPoint(), *surface->surface(),
                                                       other.hitPoint(), result);
        if (curve && curve->curve())
            return fromThisSide(MeasureUtil::getCurveSurfaceAngle(*curve->curve(), other.hitPoint(),
                                                                  *m_surface, hitPoint(), result),
                                result);
        return false;
    }
    if (type != MeasureMgr::kDistance)
        return false;
    if (point && point->point()) {
        const ZkGePoint3d& p = *point->point();
        result.firstPoint = m_surface->closestPointTo(p);
        result.secondPoint = p;
        result.value = result.firstPoint.distanceTo(p);
        return true;
    }
    if (!planar())
        return false;
    if (curve && curve->curve())
        return fromThisSide(MeasureUtil::getCurvePlaneDistance(*curve->curve(), *m_surface, result),
                            result);
    if (surface && surface->planar())
        return MeasureUtil::getPlanePlaneDistance(*m_surface, *surface->surface(), result, true);
    return false;
}

void* MeasurableSurface::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = Measurable::queryInterface(id))
        return base;
    return id == IMeasurableSurface::interfaceId() ? static_cast<IMeasurableSurface*>(this)
                                                   : nullptr;
}

} // namespace Kv::Geometry
