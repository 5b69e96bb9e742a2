#pragma once

#include "ZkGeContext.h"

// A range of real values, such as the parameter range of a curve. An open end
// is stored as an infinite bound; a default interval is open at both ends.
class ZkGeInterval {
public:
    ZkGeInterval();
    ZkGeInterval(double lower, double upper) { set(lower, upper); }

    double lowerBound() const { return m_lower; }
    double upperBound() const { return m_upper; }
    // Bounds given in either order.
    ZkGeInterval& set(double lower, double upper);
    // Infinite unless bounded at both ends.
    double length() const { return m_upper - m_lower; }
    // Whether value lies within the bounds widened by equalPoint.
    bool contains(double value, const ZkGeTol& tol = ZkGeContext::gTol) const;
    bool isBounded() const { return isBoundedBelow() && isBoundedAbove(); }
    bool isBoundedBelow() const;
    bool isBoundedAbove() const;

    bool operator==(const ZkGeInterval& i) const {
        return m_lower == i.m_lower && m_upper == i.m_upper;
    }
    bool operator!=(const ZkGeInterval& i) const { return !(*this == i); }

private:
    double m_lower;
    double m_upper;
};
