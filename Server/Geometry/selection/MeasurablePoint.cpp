#include "Geometry/selection/MeasurablePoint.h"

#include "Kv/Measure/MeasureUtil.h"

namespace Kv::Geometry {
namespace {

// The position of a partner adapter that is a point, or null.
const ZkGePoint3d* partnerPoint(Measurable& other) {
    const auto* point = ::Kv::queryInterface<IMeasurablePoint>(&other);
    return point ? point->point() : nullptr;
}

} // namespace

MeasurablePoint::MeasurablePoint(const StrongRef<LogicalSelection>& selection,
                                 const ZkGePoint3d& point)
    : Measurable(selection)
    , m_point(point) {
    m_point.transformBy(transform());
}

bool MeasurablePoint::measureAngle(const IMeasurablePoint& vertex, const IMeasurablePoint& last,
                                   double& angle) const {
    if (!vertex.point() || !last.point())
        return false;
    return MeasureUtil::getPointPointPointAngle(m_point, *vertex.point(), *last.point(), angle);
}

bool MeasurablePoint::canMeasure(MeasureMgr::EMeasureType type) const {
    return type == MeasureMgr::kX || type == MeasureMgr::kY || type == MeasureMgr::kZ;
}

bool MeasurablePoint::measure(MeasureMgr::EMeasureType type,
                              MeasureMgr::MeasureResult& result) const {
    switch (type) {
    case MeasureMgr::kX:
        result.value = m_point.x;
        return true;
    case MeasureMgr::kY:
        result.value = m_point.y;
        return true;
    case MeasureMgr::kZ:
        result.value = m_point.z;
        return true;
    default:
        return false;
    }
}

bool MeasurablePoint::canMeasure(Measurable& other, MeasureMgr::EMeasureType type) const {
    switch (type) {
    case MeasureMgr::kDistance:
    case MeasureMgr::kDeltaX:
    case MeasureMgr::kDeltaY:
    case MeasureMgr::kDeltaZ:
        return partnerPoint(other) != nullptr;
    default:
        return false;
    }
}

bool MeasurablePoint::measure(Measurable& other, MeasureMgr::EMeasureType type,
                              MeasureMgr::MeasureResult& result) const {
    const ZkGePoint3d* p = partnerPoint(other);
    if (!p)
        return false;
    switch (type) {
    case MeasureMgr::kDistance:
        result.value = m_point.distanceTo(*p);
        break;
    case MeasureMgr::kDeltaX:
        result.value = p->x - m_point.x;
        break;
    case MeasureMgr::kDeltaY:
        result.value = p->y - m_point.y;
        break;
    case MeasureMgr::kDeltaZ:
        result.value = p->z - m_point.z;
        break;
    default:
        return false;
    }
    result.firstPoint = m_point;
    result.secondPoint = *p;
    return true;
}

void* MeasurablePoint::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = Measurable::queryInterface(id))
        return base;
    return id == IMeasurablePoint::interfaceId() ? static_cast<IMeasurablePoint*>(this) : nullptr;
}

} // namespace Kv::Geometry
