#pragma once

#include "Wyn/Objects/Curve2d.h"

namespace Wyn::Objects {

// A straight piece of an outline.
class LineSegment : public Curve2d {
public:
    LineSegment(const ZkGePoint2d& start, const ZkGePoint2d& end)
        : m_start(start)
        , m_end(end) {}

    Kind kind() const override { return Kind::LineSegment; }
    ZkGePoint2d startPoint() const override { return m_start; }
    ZkGePoint2d endPoint() const override { return m_end; }
    ZkGePoint2d evalPoint(double t) const override { return m_start + (m_end - m_start) * t; }

private:
    ZkGePoint2d m_start;
    ZkGePoint2d m_end;
};

} // namespace Wyn::Objects
