#include "Geometry/selection/MeasurableCurve.h"

#include "Kv/Measure/IMeasurablePoint.h"
#include "Kv/Measure/MeasureUtil.h"

#include "ZkGeCircArc3d.h"
#include "ZkGeLine3d.h"

namespace Kv::Geometry {

MeasurableCurve::MeasurableCurve(const StrongRef<LogicalSelection>& selection,
                                 const ZkGeCurve3d* curve)
    : Measurable(selection) {
    if (!curve)
        return;
    m_curve.reset(static_cast<ZkGeCurve3d*>(curve->copy().release()));
    m_curve->transformBy(transform());
}

bool MeasurableCurve::bounded() const {
    return m_curve && m_curve->getInterval().isBounded();
}

bool MeasurableCurve::linear() const {
    return m_curve && m_curve->isKindOf(ZkGe::kLinearEnt3d);
}

bool MeasurableCurve::circular() const {
    return m_curve && m_curve->isKindOf(ZkGe::kCircArc3d);
}

bool MeasurableCurve::canMeasure(MeasureMgr::EMeasureType type) const {
    switch (type) {
    case MeasureMgr::kLength:
        return bounded();
    case MeasureMgr::kRadius:
        return circular();
    default:
        return false;
    }
}

bool MeasurableCurve::measure(MeasureMgr::EMeasureType type,
                              MeasureMgr::MeasureResult& result) const {
    if (type == MeasureMgr::kLength && bounded()) {
        const ZkGeInterval range = m_curve->getInterval();
        if (!(range.lowerBound() < range.upperBound()))
            return false;
        result.value =
            m_curve->length(range.lowerBound(), range.upperBound(), ZkGeContext::gTol.equalPoint());
        return true;
    }
    if (type == MeasureMgr::kRadius && circular()) {
        result.value = static_cast<const ZkGeCircArc3d&>(*m_curve).radius();
        return true;
    }
    return false;
}

bool MeasurableCurve::canMeasure(Measurable& other, MeasureMgr::EMeasureType type) const {
    if (!m_curve)
        return false;
    const auto* point = ::Kv::queryInterface<IMeasurablePoint>(&other);
    const auto* curve = ::Kv::queryInterface<IMeasurableCurve>(&other);
    switch (type) {
    case MeasureMgr::kDistance:
        return (point && point->point()) || (curve && curve->curve());
    case MeasureMgr::kAngle:
        return curve && linear() && curve->linear();
    default:
        return false;
    }
}

bool MeasurableCurve::measure(Measurable& other, MeasureMgr::EMeasureType type,
                              MeasureMgr::MeasureResult& result) const {
    if (!m_curve)
        return false;
    const auto* point = ::Kv::queryInterface<IMeasurablePoint>(&other);
    const auto* curve = ::Kv::queryInterface<IMeasurableCurve>(&other);
    if (type == MeasureMgr::kDistance && point && point->point()) {
        // A straight curve measures to its whole line: the foot of the
        // perpendicular counts even beyond a segment's ends.
        const ZkGePoint3d& p = *point->point();
        ZkGeLine3d line;
        const ZkGePoint3d q = MeasureUtil::getLine(*m_curve, line) ? line.closestPointTo(p)
                                                                   : m_curve->closestPointTo(p);
        result.firstPoint = q;
        result.secondPoint = p;
        result.value = q.distanceTo(p);
        return true;
    }
    if (type == MeasureMgr::kDistance && curve && curve->curve()) {
        ZkGePoint3d q;
        if (!MeasureUtil::getClosestPoints(*m_curve, *curve->curve(), q, result.secondPoint))
            return false;
        result.firstPoint = q;
        result.value = q.distanceTo(result.secondPoint);
        return true;
    }
    if (type == MeasureMgr::kAngle && curve && curve->curve())
        return MeasureUtil::getCurveCurveAngle(*m_curve, hitPoint(), *curve->curve(),
                                               other.hitPoint(), result);
    return false;
}

void* MeasurableCurve::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = Measurable::queryInterface(id))
        return base;
    return id == IMeasurableCurve::interfaceId() ? static_cast<IMeasurableCurve*>(this) : nullptr;
}

} // namespace Kv::Geometry
