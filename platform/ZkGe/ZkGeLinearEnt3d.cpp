#include "ZkGeLinearEnt3d.h"

#include <algorithm>

double ZkGeLinearEnt3d::paramOf(const ZkGePoint3d& point) const {
    const ZkGeVector3d dir = direction();
    const double lengthSqrd = dir.lengthSqrd();
    if (lengthSqrd == 0.0)
        return 0.0;
    return (point - pointOnLine()).dotProduct(dir) / lengthSqrd;
}

ZkGePoint3d ZkGeLinearEnt3d::closestPointTo(const ZkGePoint3d& point) const {
    const ZkGeInterval range = interval();
    return evalPoint(std::clamp(paramOf(point), range.lowerBound(), range.upperBound()));
}

bool ZkGeLinearEnt3d::isColinearTo(const ZkGeLinearEnt3d& other, const ZkGeTol& tol) const {
    if (!isParallelTo(other, tol))
        return false;
    const ZkGePoint3d point = other.pointOnLine();
    return point.isEqualTo(evalPoint(paramOf(point)), tol);
}
