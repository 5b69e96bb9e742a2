#include "ZkGePoint2d.h"

const ZkGePoint2d ZkGePoint2d::kOrigin(0.0, 0.0);

bool ZkGePoint2d::isEqualTo(const ZkGePoint2d& p, const ZkGeTol& tol) const {
    return distanceTo(p) <= tol.equalPoint();
}

ZkGePoint2d& ZkGePoint2d::rotateBy(double angle, const ZkGePoint2d& wrtPoint) {
    return *this = wrtPoint + (*this - wrtPoint).rotateBy(angle);
}
