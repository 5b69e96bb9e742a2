#include "ZkGePlane.h"

#include <cmath>

const ZkGePlane ZkGePlane::kXYPlane(ZkGePoint3d(0.0, 0.0, 0.0), ZkGeVector3d(0.0, 0.0, 1.0));
const ZkGePlane ZkGePlane::kYZPlane(ZkGePoint3d(0.0, 0.0, 0.0), ZkGeVector3d(1.0, 0.0, 0.0));
const ZkGePlane ZkGePlane::kZXPlane(ZkGePoint3d(0.0, 0.0, 0.0), ZkGeVector3d(0.0, 1.0, 0.0));

ZkGePlane::ZkGePlane()
    : m_normal(0.0, 0.0, 1.0) {}

ZkGePlane& ZkGePlane::set(const ZkGePoint3d& origin, const ZkGeVector3d& normal) {
    m_origin = origin;
    m_normal = normal.normal();
    return *this;
}

ZkGePlane& ZkGePlane::set(double a, double b, double c, double d) {
    const ZkGeVector3d coefficients(a, b, c);
    const double length = coefficients.length();
    m_normal = coefficients / length;
    m_origin = ZkGePoint3d::kOrigin - m_normal * (d / length);
    return *this;
}

ZkGePlane& ZkGePlane::set(const ZkGePoint3d& p1, const ZkGePoint3d& p2, const ZkGePoint3d& p3) {
    return set(p1, (p2 - p1).crossProduct(p3 - p1));
}

void ZkGePlane::getCoefficients(double& a, double& b, double& c, double& d) const {
    a = m_normal.x;
    b = m_normal.y;
    c = m_normal.z;
    d = -m_normal.dotProduct(m_origin.asVector());
}

bool ZkGePlane::intersectWith(const ZkGeLinearEnt3d& linear, ZkGePoint3d& point,
                              const ZkGeTol& tol) const {
    const ZkGeVector3d dir = linear.direction();
    if (std::abs(m_normal.dotProduct(dir.normal())) <= tol.equalVector())
        return false;
    const double param = -signedDistanceTo(linear.pointOnLine()) / m_normal.dotProduct(dir);
    const ZkGePoint3d hit = linear.evalPoint(param);
    if (!linear.isOn(hit, tol))
        return false;
    point = hit;
    return true;
}

std::unique_ptr<ZkGeEntity3d> ZkGePlane::copy() const {
    return std::make_unique<ZkGePlane>(*this);
}

ZkGePlane& ZkGePlane::transformBy(const ZkGeMatrix3d& m) {
    // Transforming two in-plane axes stays right under non-uniform scaling,
    // where the normal itself would not. Their cross product flips under a
    // mirror, which the sign of the determinant undoes.
    ZkGePoint3d origin;
    ZkGeVector3d uAxis, vAxis;
    getCoordSystem(origin, uAxis, vAxis);
    ZkGeVector3d normal = uAxis.transformBy(m).crossProduct(vAxis.transformBy(m));
    if (m.det() < 0.0)
        normal = -normal;
    return set(origin.transformBy(m), normal);
}

bool ZkGePlane::isEqualTo(const ZkGeEntity3d& other, const ZkGeTol& tol) const {
    if (other.type() != type())
        return false;
    const auto& plane = static_cast<const ZkGePlane&>(other);
    return m_origin.isEqualTo(plane.m_origin, tol) && m_normal.isEqualTo(plane.m_normal, tol);
}

bool ZkGePlane::isOn(const ZkGePoint3d& point, const ZkGeTol& tol) const {
    return distanceTo(point) <= tol.equalPoint();
}

double ZkGePlane::distanceTo(const ZkGePoint3d& point) const {
    return std::abs(signedDistanceTo(point));
}

ZkGePoint3d ZkGePlane::closestPointTo(const ZkGePoint3d& point) const {
    return point - m_normal * signedDistanceTo(point);
}
