#include "ZkGeRay3d.h"

#include "ZkGeLineSeg3d.h"

#include <limits>

ZkGeRay3d::ZkGeRay3d()
    : m_direction(1.0, 0.0, 0.0) {}

ZkGeRay3d& ZkGeRay3d::set(const ZkGePoint3d& start, const ZkGeVector3d& direction) {
    m_start = start;
    m_direction = direction.normal();
    return *this;
}

std::unique_ptr<ZkGeEntity3d> ZkGeRay3d::copy() const {
    return std::make_unique<ZkGeRay3d>(*this);
}

ZkGeRay3d& ZkGeRay3d::transformBy(const ZkGeMatrix3d& m) {
    m_start.transformBy(m);
    m_direction.transformBy(m).normalize();
    return *this;
}

bool ZkGeRay3d::isEqualTo(const ZkGeEntity3d& other, const ZkGeTol& tol) const {
    if (other.type() != type())
        return false;
    const auto& ray = static_cast<const ZkGeRay3d&>(other);
    return m_start.isEqualTo(ray.m_start, tol) && m_direction.isEqualTo(ray.m_direction, tol);
}

ZkGeInterval ZkGeRay3d::interval() const {
    return ZkGeInterval(0.0, std::numeric_limits<double>::infinity());
}

void ZkGeRay3d::getSplitCurves(double param, std::unique_ptr<ZkGeCurve3d>& piece1,
                               std::unique_ptr<ZkGeCurve3d>& piece2) const {
    if (param <= 0.0) {
        piece1.reset();
        piece2 = std::make_unique<ZkGeRay3d>(*this);
        return;
    }
    const ZkGePoint3d split = evalPoint(param);
    piece1 = std::make_unique<ZkGeLineSeg3d>(m_start, split);
    piece2 = std::make_unique<ZkGeRay3d>(split, m_direction);
}
