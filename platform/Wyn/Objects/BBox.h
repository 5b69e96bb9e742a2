#pragma once

#include "ZkGeMatrix3d.h"
#include "ZkGePoint3d.h"

namespace Wyn::Objects {

// An axis-aligned box: the extent of a node's geometry or of laid-out text.
// An empty box has every minimum at the largest double and every maximum at
// its negation, so extending it needs no special case and callers can test
// emptiness by comparing with any huge bound.
class BBox {
public:
    BBox();
    // The box spanned by two corners given in any order.
    BBox(const ZkGePoint3d& a, const ZkGePoint3d& b);

    BBox& set(const ZkGePoint3d& a, const ZkGePoint3d& b);
    BBox& extend(const ZkGePoint3d& point);
    BBox& extend(const BBox& other);
    // The box around the eight transformed corners.
    BBox& transformBy(const ZkGeMatrix3d& m);
    BBox& clear();

    bool isEmpty() const { return m_min.x > m_max.x; }
    const ZkGePoint3d& minPoint() const { return m_min; }
    const ZkGePoint3d& maxPoint() const { return m_max; }

    // The radius of a sphere around the box, or a negative value when the
    // holder leaves it to the graphics system to derive from the corners.
    double radius() const { return m_radius; }
    void radius(double radius) { m_radius = radius; }

    bool operator==(const BBox& o) const {
        return m_min == o.m_min && m_max == o.m_max && m_radius == o.m_radius;
    }
    bool operator!=(const BBox& o) const { return !(*this == o); }

private:
    ZkGePoint3d m_min;
    ZkGePoint3d m_max;
    double m_radius = -1.0;
};

} // namespace Wyn::Objects
