#pragma once

#include "ZkGePoint2d.h"

// An axis-aligned box in the plane, for quick overlap and containment tests.
// Empty until something is added: an empty box has its minimum above its
// maximum, so extending it needs no special case.
class ZkGeBoundBlock2d {
public:
    ZkGeBoundBlock2d();
    // The box spanned by two opposite corners, given in any order.
    ZkGeBoundBlock2d(const ZkGePoint2d& p1, const ZkGePoint2d& p2) { set(p1, p2); }

    ZkGeBoundBlock2d& set(const ZkGePoint2d& p1, const ZkGePoint2d& p2);
    ZkGePoint2d minPoint() const { return m_min; }
    ZkGePoint2d maxPoint() const { return m_max; }
    // Meaningless for an empty box.
    ZkGePoint2d center() const { return m_min + (m_max - m_min) * 0.5; }
    bool isEmpty() const { return m_min.x > m_max.x || m_min.y > m_max.y; }

    ZkGeBoundBlock2d& extend(const ZkGePoint2d& point);
    ZkGeBoundBlock2d& extend(const ZkGeBoundBlock2d& other);
    // Grows every side outward by distance; shrinking past zero size empties it.
    ZkGeBoundBlock2d& swell(double distance);

    // The box widened by equalPoint decides, so points on an edge are inside.
    bool contains(const ZkGePoint2d& point, const ZkGeTol& tol = ZkGeContext::gTol) const;
    // Boxes that touch within equalPoint are not disjoint; an empty box is
    // disjoint from everything.
    bool isDisjoint(const ZkGeBoundBlock2d& other, const ZkGeTol& tol = ZkGeContext::gTol) const;

    bool operator==(const ZkGeBoundBlock2d& b) const {
        return m_min == b.m_min && m_max == b.m_max;
    }
    bool operator!=(const ZkGeBoundBlock2d& b) const { return !(*this == b); }

private:
    ZkGePoint2d m_min;
    ZkGePoint2d m_max;
};
