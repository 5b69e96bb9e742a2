#include "ZkGeLineSeg3d.h"

ZkGeLineSeg3d::ZkGeLineSeg3d()
    : m_end(1.0, 0.0, 0.0) {}

ZkGeLineSeg3d& ZkGeLineSeg3d::set(const ZkGePoint3d& start, const ZkGePoint3d& end) {
    m_start = start;
    m_end = end;
    return *this;
}

std::unique_ptr<ZkGeEntity3d> ZkGeLineSeg3d::copy() const {
    return std::make_unique<ZkGeLineSeg3d>(*this);
}

ZkGeLineSeg3d& ZkGeLineSeg3d::transformBy(const ZkGeMatrix3d& m) {
    m_start.transformBy(m);
    m_end.transformBy(m);
    return *this;
}

bool ZkGeLineSeg3d::isEqualTo(const ZkGeEntity3d& other, const ZkGeTol& tol) const {
    if (other.type() != type())
        return false;
    const auto& seg = static_cast<const ZkGeLineSeg3d&>(other);
    return m_start.isEqualTo(seg.m_start, tol) && m_end.isEqualTo(seg.m_end, tol);
}

ZkGePoint3d ZkGeLineSeg3d::evalPoint(double param) const {
    if (param == 1.0)
        return m_end;
    return m_start + (m_end - m_start) * param;
}

void ZkGeLineSeg3d::getSplitCurves(double param, std::unique_ptr<ZkGeCurve3d>& piece1,
                                   std::unique_ptr<ZkGeCurve3d>& piece2) const {
    piece1.reset();
    piece2.reset();
    if (param > 0.0)
        piece1 = std::make_unique<ZkGeLineSeg3d>(m_start, param < 1.0 ? evalPoint(param) : m_end);
    if (param < 1.0)
        piece2 = std::make_unique<ZkGeLineSeg3d>(param > 0.0 ? evalPoint(param) : m_start, m_end);
}
