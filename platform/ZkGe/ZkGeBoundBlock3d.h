#pragma once

#include "ZkGeMatrix3d.h"

// An axis-aligned box in space, for quick overlap and containment tests.
// Empty until something is added: an empty box has its minimum above its
// maximum, so extending it needs no special case.
class ZkGeBoundBlock3d {
public:
    ZkGeBoundBlock3d();
    // The box spanned by two opposite corners, given in any order.
    ZkGeBoundBlock3d(const ZkGePoint3d& p1, const ZkGePoint3d& p2) { set(p1, p2); }

    ZkGeBoundBlock3d& set(const ZkGePoint3d& p1, const ZkGePoint3d& p2);
    ZkGePoint3d minPoint() const { return m_min; }
    ZkGePoint3d maxPoint() const { return m_max; }
    // Meaningless for an empty box.
    ZkGePoint3d center() const { return m_min + (m_max - m_min) * 0.5; }
    bool isEmpty() const { return m_min.x > m_max.x || m_min.y > m_max.y || m_min.z > m_max.z; }
    // The box as its minimum corner and the three edges leaving it along
    // the x, y and z axes. Meaningless for an empty box.
    void get(ZkGePoint3d& base, ZkGeVector3d& side1, ZkGeVector3d& side2,
             ZkGeVector3d& side3) const;

    ZkGeBoundBlock3d& extend(const ZkGePoint3d& point);
    ZkGeBoundBlock3d& extend(const ZkGeBoundBlock3d& other);
    // Grows every side outward by distance; shrinking past zero size empties it.
    ZkGeBoundBlock3d& swell(double distance);
    // The box around the eight transformed corners, so it may grow under rotation.
    ZkGeBoundBlock3d& transformBy(const ZkGeMatrix3d& m);

    // The box widened by equalPoint decides, so points on a face are inside.
    bool contains(const ZkGePoint3d& point, const ZkGeTol& tol = ZkGeContext::gTol) const;
    // Boxes that touch within equalPoint are not disjoint; an empty box is
    // disjoint from everything.
    bool isDisjoint(const ZkGeBoundBlock3d& other, const ZkGeTol& tol = ZkGeContext::gTol) const;

    bool operator==(const ZkGeBoundBlock3d& b) const {
        return m_min == b.m_min && m_max == b.m_max;
    }
    bool operator!=(const ZkGeBoundBlock3d& b) const { return !(*this == b); }

private:
    ZkGePoint3d m_min;
    ZkGePoint3d m_max;
};
