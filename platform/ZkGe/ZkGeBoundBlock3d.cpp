#include "ZkGeBoundBlock3d.h"

#include <algorithm>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

} // namespace

ZkGeBoundBlock3d::ZkGeBoundBlock3d()
    : m_min(kInf, kInf, kInf)
    , m_max(-kInf, -kInf, -kInf) {}

ZkGeBoundBlock3d& ZkGeBoundBlock3d::set(const ZkGePoint3d& p1, const ZkGePoint3d& p2) {
    *this = ZkGeBoundBlock3d();
    return extend(p1).extend(p2);
}

void ZkGeBoundBlock3d::get(ZkGePoint3d& base, ZkGeVector3d& side1, ZkGeVector3d& side2,
                           ZkGeVector3d& side3) const {
    base = m_min;
    side1 = ZkGeVector3d(m_max.x - m_min.x, 0.0, 0.0);
    side2 = ZkGeVector3d(0.0, m_max.y - m_min.y, 0.0);
    side3 = ZkGeVector3d(0.0, 0.0, m_max.z - m_min.z);
}

ZkGeBoundBlock3d& ZkGeBoundBlock3d::extend(const ZkGePoint3d& point) {
    for (int i = 0; i < 3; ++i) {
        m_min[i] = std::min(m_min[i], point[i]);
        m_max[i] = std::max(m_max[i], point[i]);
    }
    return *this;
}

ZkGeBoundBlock3d& ZkGeBoundBlock3d::extend(const ZkGeBoundBlock3d& other) {
    // Bound by bound rather than corner by corner: an empty box's corners are
    // infinite and would swallow this one.
    for (int i = 0; i < 3; ++i) {
        m_min[i] = std::min(m_min[i], other.m_min[i]);
        m_max[i] = std::max(m_max[i], other.m_max[i]);
    }
    return *this;
}

ZkGeBoundBlock3d& ZkGeBoundBlock3d::swell(double distance) {
    if (isEmpty())
        return *this;
    const ZkGeVector3d offset(distance, distance, distance);
    m_min -= offset;
    m_max += offset;
    if (isEmpty())
        *this = ZkGeBoundBlock3d();
    return *this;
}

ZkGeBoundBlock3d& ZkGeBoundBlock3d::transformBy(const ZkGeMatrix3d& m) {
    if (isEmpty())
        return *this;
    ZkGeBoundBlock3d box;
    for (int corner = 0; corner < 8; ++corner) {
        ZkGePoint3d p((corner & 1) ? m_max.x : m_min.x, (corner & 2) ? m_max.y : m_min.y,
                      (corner & 4) ? m_max.z : m_min.z);
        box.extend(p.transformBy(m));
    }
    return *this = box;
}

bool ZkGeBoundBlock3d::contains(const ZkGePoint3d& point, const ZkGeTol& tol) const {
    for (int i = 0; i < 3; ++i) {
        if (point[i] < m_min[i] - tol.equalPoint() || point[i] > m_max[i] + tol.equalPoint())
            return false;
    }
    return true;
}

bool ZkGeBoundBlock3d::isDisjoint(const ZkGeBoundBlock3d& other, const ZkGeTol& tol) const {
    if (isEmpty() || other.isEmpty())
        return true;
    for (int i = 0; i < 3; ++i) {
        if (other.m_min[i] > m_max[i] + tol.equalPoint() ||
            other.m_max[i] < m_min[i] - tol.equalPoint())
            return true;
    }
    return false;
}
