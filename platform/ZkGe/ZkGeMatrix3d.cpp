#include "ZkGeMatrix3d.h"

#include <Eigen/Dense>

#include <cmath>

namespace {

using RowMajor4d = Eigen::Matrix<double, 4, 4, Eigen::RowMajor>;

Eigen::Map<RowMajor4d> asEigen(double (&entry)[4][4]) {
    return Eigen::Map<RowMajor4d>(&entry[0][0]);
}

Eigen::Map<const RowMajor4d> asEigen(const double (&entry)[4][4]) {
    return Eigen::Map<const RowMajor4d>(&entry[0][0]);
}

} // namespace

const ZkGeMatrix3d ZkGeMatrix3d::kIdentity;

ZkGeMatrix3d::ZkGeMatrix3d() {
    setToIdentity();
}

ZkGeMatrix3d ZkGeMatrix3d::translation(const ZkGeVector3d& v) {
    return ZkGeMatrix3d().setToTranslation(v);
}

ZkGeMatrix3d ZkGeMatrix3d::rotation(double angle, const ZkGeVector3d& axis,
                                    const ZkGePoint3d& center) {
    return ZkGeMatrix3d().setToRotation(angle, axis, center);
}

ZkGeMatrix3d& ZkGeMatrix3d::setToIdentity() {
    asEigen(entry).setIdentity();
    return *this;
}

ZkGeMatrix3d& ZkGeMatrix3d::setToTranslation(const ZkGeVector3d& v) {
    return setCoordSystem(ZkGePoint3d::kOrigin + v, ZkGeVector3d::kXAxis, ZkGeVector3d::kYAxis,
                          ZkGeVector3d::kZAxis);
}

ZkGeMatrix3d& ZkGeMatrix3d::setToRotation(double angle, const ZkGeVector3d& axis,
                                          const ZkGePoint3d& center) {
    // Rodrigues: R = cI + s[k]x + (1 - c) k k^T, about the line through center.
    const ZkGeVector3d k = axis.normal();
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double t = 1.0 - c;
    setToIdentity();
    entry[0][0] = c + t * k.x * k.x;
    entry[0][1] = t * k.x * k.y - s * k.z;
    entry[0][2] = t * k.x * k.z + s * k.y;
    entry[1][0] = t * k.y * k.x + s * k.z;
    entry[1][1] = c + t * k.y * k.y;
    entry[1][2] = t * k.y * k.z - s * k.x;
    entry[2][0] = t * k.z * k.x - s * k.y;
    entry[2][1] = t * k.z * k.y + s * k.x;
    entry[2][2] = c + t * k.z * k.z;
    const ZkGeVector3d shift = center - ZkGePoint3d(center).transformBy(*this);
    entry[0][3] = shift.x;
    entry[1][3] = shift.y;
    entry[2][3] = shift.z;
    return *this;
}

ZkGeMatrix3d& ZkGeMatrix3d::setToScaling(double scale, const ZkGePoint3d& center) {
    // The center stays put: p' = center + scale (p - center).
    const ZkGeVector3d shift = center.asVector() * (1.0 - scale);
    return setCoordSystem(ZkGePoint3d::kOrigin + shift, ZkGeVector3d::kXAxis * scale,
                          ZkGeVector3d::kYAxis * scale, ZkGeVector3d::kZAxis * scale);
}

ZkGeMatrix3d& ZkGeMatrix3d::setCoordSystem(const ZkGePoint3d& origin, const ZkGeVector3d& xAxis,
                                           const ZkGeVector3d& yAxis, const ZkGeVector3d& zAxis) {
    setToIdentity();
    for (int row = 0; row < 3; ++row) {
        entry[row][0] = xAxis[row];
        entry[row][1] = yAxis[row];
        entry[row][2] = zAxis[row];
        entry[row][3] = origin[row];
    }
    return *this;
}

void ZkGeMatrix3d::getCoordSystem(ZkGePoint3d& origin, ZkGeVector3d& xAxis, ZkGeVector3d& yAxis,
                                  ZkGeVector3d& zAxis) const {
    for (int row = 0; row < 3; ++row) {
        xAxis[row] = entry[row][0];
        yAxis[row] = entry[row][1];
        zAxis[row] = entry[row][2];
        origin[row] = entry[row][3];
    }
}

ZkGeMatrix3d&
ZkGeMatrix3d::setToAlignCoordSys(const ZkGePoint3d& fromOrigin, const ZkGeVector3d& fromXAxis,
                                 const ZkGeVector3d& fromYAxis, const ZkGeVector3d& fromZAxis,
                                 const ZkGePoint3d& toOrigin, const ZkGeVector3d& toXAxis,
                                 const ZkGeVector3d& toYAxis, const ZkGeVector3d& toZAxis) {
    // Into "from" coordinates, then out of "to" coordinates.
    ZkGeMatrix3d from;
    from.setCoordSystem(fromOrigin, fromXAxis, fromYAxis, fromZAxis).invert();
    setCoordSystem(toOrigin, toXAxis, toYAxis, toZAxis);
    return postMultBy(from);
}

ZkGeMatrix3d& ZkGeMatrix3d::preMultBy(const ZkGeMatrix3d& m) {
    return *this = m * *this;
}

ZkGeMatrix3d& ZkGeMatrix3d::postMultBy(const ZkGeMatrix3d& m) {
    return *this = *this * m;
}

ZkGeMatrix3d ZkGeMatrix3d::operator*(const ZkGeMatrix3d& m) const {
    ZkGeMatrix3d product;
    asEigen(product.entry).noalias() = asEigen(entry) * asEigen(m.entry);
    return product;
}

ZkGeMatrix3d& ZkGeMatrix3d::invert() {
    if (!isSingular()) {
        const RowMajor4d inverse = asEigen(entry).inverse();
        asEigen(entry) = inverse;
    }
    return *this;
}

ZkGeMatrix3d& ZkGeMatrix3d::transpose() {
    asEigen(entry).transposeInPlace();
    return *this;
}

double ZkGeMatrix3d::det() const {
    return asEigen(entry).determinant();
}

bool ZkGeMatrix3d::isEqualTo(const ZkGeMatrix3d& m, const ZkGeTol& tol) const {
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            const double limit = col == 3 && row < 3 ? tol.equalPoint() : tol.equalVector();
            if (std::abs(entry[row][col] - m.entry[row][col]) > limit)
                return false;
        }
    }
    return true;
}

bool ZkGeMatrix3d::isSingular(const ZkGeTol& tol) const {
    const auto block = asEigen(entry).topLeftCorner<3, 3>();
    const double scale = block.col(0).norm() * block.col(1).norm() * block.col(2).norm();
    return scale == 0.0 || std::abs(block.determinant()) <= tol.equalVector() * scale;
}

bool ZkGeMatrix3d::isTranslation() const {
    return asEigen(entry).topLeftCorner<3, 3>().isIdentity(0.0);
}

bool ZkGeMatrix3d::operator==(const ZkGeMatrix3d& m) const {
    return asEigen(entry) == asEigen(m.entry);
}
