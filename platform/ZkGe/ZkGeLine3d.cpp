#include "ZkGeLine3d.h"

#include "ZkGeRay3d.h"

const ZkGeLine3d ZkGeLine3d::kXAxis(ZkGePoint3d(0.0, 0.0, 0.0), ZkGeVector3d(1.0, 0.0, 0.0));
const ZkGeLine3d ZkGeLine3d::kYAxis(ZkGePoint3d(0.0, 0.0, 0.0), ZkGeVector3d(0.0, 1.0, 0.0));
const ZkGeLine3d ZkGeLine3d::kZAxis(ZkGePoint3d(0.0, 0.0, 0.0), ZkGeVector3d(0.0, 0.0, 1.0));

ZkGeLine3d::ZkGeLine3d()
    : m_direction(1.0, 0.0, 0.0) {}

ZkGeLine3d& ZkGeLine3d::set(const ZkGePoint3d& point, const ZkGeVector3d& direction) {
    m_point = point;
    m_direction = direction.normal();
    return *this;
}

std::unique_ptr<ZkGeEntity3d> ZkGeLine3d::copy() const {
    return std::make_unique<ZkGeLine3d>(*this);
}

ZkGeLine3d& ZkGeLine3d::transformBy(const ZkGeMatrix3d& m) {
    m_point.transformBy(m);
    m_direction.transformBy(m).normalize();
    return *this;
}

bool ZkGeLine3d::isEqualTo(const ZkGeEntity3d& other, const ZkGeTol& tol) const {
    if (other.type() != type())
        return false;
    const auto& line = static_cast<const ZkGeLine3d&>(other);
    return m_point.isEqualTo(line.m_point, tol) && m_direction.isEqualTo(line.m_direction, tol);
}

void ZkGeLine3d::getSplitCurves(double param, std::unique_ptr<ZkGeCurve3d>& piece1,
                                std::unique_ptr<ZkGeCurve3d>& piece2) const {
    const ZkGePoint3d split = evalPoint(param);
    piece1 = std::make_unique<ZkGeRay3d>(split, -m_direction);
    piece2 = std::make_unique<ZkGeRay3d>(split, m_direction);
}
