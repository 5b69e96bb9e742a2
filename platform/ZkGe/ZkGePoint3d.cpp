#include "ZkGePoint3d.h"

#include "ZkGeMatrix3d.h"
#include "ZkGePlane.h"

#include <cmath>

const ZkGePoint3d ZkGePoint3d::kOrigin(0.0, 0.0, 0.0);

bool ZkGePoint3d::isEqualTo(const ZkGePoint3d& p, const ZkGeTol& tol) const {
    return distanceTo(p) <= tol.equalPoint();
}

ZkGePoint3d& ZkGePoint3d::transformBy(const ZkGeMatrix3d& m) {
    const auto& e = m.entry;
    return *this = ZkGePoint3d(e[0][0] * x + e[0][1] * y + e[0][2] * z + e[0][3],
                               e[1][0] * x + e[1][1] * y + e[1][2] * z + e[1][3],
                               e[2][0] * x + e[2][1] * y + e[2][2] * z + e[2][3]);
}

ZkGePoint3d& ZkGePoint3d::rotateBy(double angle, const ZkGeVector3d& axis,
                                   const ZkGePoint3d& wrtPoint) {
    return transformBy(ZkGeMatrix3d::rotation(angle, axis, wrtPoint));
}

ZkGePoint3d ZkGePoint3d::project(const ZkGePlane& plane, const ZkGeVector3d& projectDirection,
                                 const ZkGeTol& tol) const {
    const ZkGeVector3d n = plane.normal();
    const ZkGeVector3d dir = projectDirection.normal();
    const double along = dir.dotProduct(n);
    if (std::abs(along) <= tol.equalVector())
        return *this;
    return *this - dir * (plane.signedDistanceTo(*this) / along);
}

ZkGePoint3d ZkGePoint3d::orthoProject(const ZkGePlane& plane) const {
    return plane.closestPointTo(*this);
}
