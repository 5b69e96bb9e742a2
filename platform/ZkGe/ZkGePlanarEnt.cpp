#include "ZkGePlanarEnt.h"

#include <cmath>

bool ZkGePlanarEnt::isCoplanarTo(const ZkGePlanarEnt& other, const ZkGeTol& tol) const {
    if (!normal().isParallelTo(other.normal(), tol))
        return false;
    const double offset = normal().dotProduct(other.pointOnPlane() - pointOnPlane());
    return std::abs(offset) <= tol.equalPoint();
}

void ZkGePlanarEnt::getCoordSystem(ZkGePoint3d& origin, ZkGeVector3d& uAxis,
                                   ZkGeVector3d& vAxis) const {
    const ZkGeVector3d n = normal();
    origin = pointOnPlane();
    uAxis = n.perpVector();
    vAxis = n.crossProduct(uAxis);
}
