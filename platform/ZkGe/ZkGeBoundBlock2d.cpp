#include "ZkGeBoundBlock2d.h"

#include <algorithm>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

} // namespace

ZkGeBoundBlock2d::ZkGeBoundBlock2d()
    : m_min(kInf, kInf)
    , m_max(-kInf, -kInf) {}

ZkGeBoundBlock2d& ZkGeBoundBlock2d::set(const ZkGePoint2d& p1, const ZkGePoint2d& p2) {
    *this = ZkGeBoundBlock2d();
    return extend(p1).extend(p2);
}

ZkGeBoundBlock2d& ZkGeBoundBlock2d::extend(const ZkGePoint2d& point) {
    for (int i = 0; i < 2; ++i) {
        m_min[i] = std::min(m_min[i], point[i]);
        m_max[i] = std::max(m_max[i], point[i]);
    }
    return *this;
}

ZkGeBoundBlock2d& ZkGeBoundBlock2d::extend(const ZkGeBoundBlock2d& other) {
    // Bound by bound rather than corner by corner: an empty box's corners are
    // infinite and would swallow this one.
    for (int i = 0; i < 2; ++i) {
        m_min[i] = std::min(m_min[i], other.m_min[i]);
        m_max[i] = std::max(m_max[i], other.m_max[i]);
    }
    return *this;
}

ZkGeBoundBlock2d& ZkGeBoundBlock2d::swell(double distance) {
    if (isEmpty())
        return *this;
    const ZkGeVector2d offset(distance, distance);
    m_min -= offset;
    m_max += offset;
    if (isEmpty())
        *this = ZkGeBoundBlock2d();
    return *this;
}

bool ZkGeBoundBlock2d::contains(const ZkGePoint2d& point, const ZkGeTol& tol) const {
    for (int i = 0; i < 2; ++i) {
        if (point[i] < m_min[i] - tol.equalPoint() || point[i] > m_max[i] + tol.equalPoint())
            return false;
    }
    return true;
}

bool ZkGeBoundBlock2d::isDisjoint(const ZkGeBoundBlock2d& other, const ZkGeTol& tol) const {
    if (isEmpty() || other.isEmpty())
        return true;
    for (int i = 0; i < 2; ++i) {
        if (other.m_min[i] > m_max[i] + tol.equalPoint() ||
            other.m_max[i] < m_min[i] - tol.equalPoint())
            return true;
    }
    return false;
}
