#include "ZkGeInterval.h"

#include <cmath>
#include <limits>
#include <utility>

ZkGeInterval::ZkGeInterval()
    : m_lower(-std::numeric_limits<double>::infinity())
    , m_upper(std::numeric_limits<double>::infinity()) {}

ZkGeInterval& ZkGeInterval::set(double lower, double upper) {
    if (lower > upper)
        std::swap(lower, upper);
    m_lower = lower;
    m_upper = upper;
    return *this;
}

bool ZkGeInterval::contains(double value, const ZkGeTol& tol) const {
    return value >= m_lower - tol.equalPoint() && value <= m_upper + tol.equalPoint();
}

bool ZkGeInterval::isBoundedBelow() const {
    return std::isfinite(m_lower);
}

bool ZkGeInterval::isBoundedAbove() const {
    return std::isfinite(m_upper);
}
