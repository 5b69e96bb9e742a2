#include "Geometry/math/InertiaTensor.h"

#include <cassert>
#include <cmath>
#include <limits>

namespace Kv::Geometry {

namespace {

// Storage index of entry (i, j).
constexpr int kIndex[3][3] = {{0, 5, 4}, {5, 1, 3}, {4, 3, 2}};

// Jacobi iteration: machine epsilon (2^-52), the ratio beyond which a pivot
// is negligible, the rotation parameter beyond which tan is taken as
// 1 / (2 theta), and the most rotations made.
constexpr double kEpsilon = 2.220446049250313e-16;
constexpr double kLarge = 1e17;
constexpr double kThetaLimit = 1e9;
constexpr int kMaxRotations = 200;

ZkGeVector3d column(const ZkGeMatrix3d& m, int col) {
    return ZkGeVector3d(m(0, col), m(1, col), m(2, col));
}

// acos of a value that rounding may have pushed out of [-1, 1].
double clampedAcos(double x) {
    if (x >= 1.0)
        return 0.0;
    if (x <= -1.0)
        return M_PI;
    return std::acos(x);
}

} // namespace

InertiaTensor::InertiaTensor()
    : m_entries{1.0, 1.0, 1.0, 0.0, 0.0, 0.0} {}

InertiaTensor::InertiaTensor(const double* diagonal, const double* offDiagonal) {
    for (int i = 0; i < 3; ++i) {
        m_entries[i] = diagonal[i];
        m_entries[3 + i] = offDiagonal[i];
    }
}

InertiaTensor::InertiaTensor(const ZkGePoint3d& p)
    : m_entries{p.y * p.y + p.z * p.z,
                p.x * p.x + p.z * p.z,
                p.x * p.x + p.y * p.y,
                -p.y * p.z,
                -p.x * p.z,
                -p.x * p.y} {}

double& InertiaTensor::operator()(unsigned int i, unsigned int j) {
    assert(i < 3 && j < 3);
    return m_entries[kIndex[i][j]];
}

double InertiaTensor::operator()(unsigned int i, unsigned int j) const {
    assert(i < 3 && j < 3);
    return m_entries[kIndex[i][j]];
}

InertiaTensor& InertiaTensor::operator*=(double factor) {
    for (double& entry : m_entries)
        entry *= factor;
    return *this;
}

InertiaTensor& InertiaTensor::operator+=(const InertiaTensor& other) {
    for (int i = 0; i < 6; ++i)
        m_entries[i] += other.m_entries[i];
    return *this;
}

InertiaTensor& InertiaTensor::operator-=(const InertiaTensor& other) {
    for (int i = 0; i < 6; ++i)
        m_entries[i] -= other.m_entries[i];
    return *this;
}

InertiaTensor InertiaTensor::operator+(const InertiaTensor& other) const {
    return InertiaTensor(*this) += other;
}

InertiaTensor InertiaTensor::operator-(const InertiaTensor& other) const {
    return InertiaTensor(*this) -= other;
}

InertiaTensor InertiaTensor::operator*(double factor) const {
    return InertiaTensor(*this) *= factor;
}

InertiaTensor InertiaTensor::operator*(const ZkGeMatrix3d& m) const {
    return similarityTransformBy(m, -1, -1);
}

InertiaTensor InertiaTensor::similarityTransformBy(const ZkGeMatrix3d& m, int p, int q) const {
    // Entry (a, b) of M^T T M is column a of M against T times column b.
    const auto transformed = [&](int a, int b) {
        const ZkGeVector3d ca = column(m, a);
        const ZkGeVector3d cb = column(m, b);
        double sum = 0.0;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                sum += ca[i] * (*this)(i, j) * cb[j];
        return sum;
    };
    InertiaTensor result(*this);
    const bool inPlane = p != q && p >= 0 && p < 3 && q >= 0 && q < 3;
    if (inPlane) {
        // A rotation in the (p, q) plane leaves the third axis r alone, and
        // it was chosen to clear the (p, q) entry.
        const int r = 3 - p - q;
        result(p, q) = 0.0;
        result(p, p) = transformed(p, p);
        result(q, q) = transformed(q, q);
        result(p, r) = transformed(p, r);
        result(q, r) = transformed(q, r);
        return result;
    }
    for (int a = 0; a < 3; ++a)
        for (int b = a; b < 3; ++b)
            result(a, b) = transformed(a, b);
    return result;
}

InertiaTensor& InertiaTensor::translateBy(const ZkGePoint3d& c, double mass) {
    return *this -= InertiaTensor(c) * mass;
}

InertiaTensor& InertiaTensor::translateBy(const ZkGeVector3d& v, const ZkGePoint3d& c,
                                          double mass) {
    return *this += (InertiaTensor(c + v) - InertiaTensor(c)) * mass;
}

InertiaTensor& InertiaTensor::transformBy(const ZkGeMatrix3d& m, const ZkGePoint3d& c,
                                          double mass) {
    ZkGeMatrix3d rotation = m;
    for (int i = 0; i < 3; ++i)
        rotation(i, 3) = 0.0;
    ZkGePoint3d movedCenter = c;
    movedCenter.transformBy(rotation);
    // (R^T)^T T R^T is R T R^T.
    *this = similarityTransformBy(ZkGeMatrix3d(rotation).transpose(), -1, -1);
    return translateBy(m.translation(), movedCenter, mass);
}

ZkGeMatrix3d InertiaTensor::diagonalize() {
    ZkGeMatrix3d v;
    for (int rotations = 0; rotations < kMaxRotations; ++rotations) {
        // The largest off-diagonal entry, ties going to the earlier choice.
        int p = 0, q = 2;
        if (std::abs((*this)(0, 1)) > std::abs((*this)(0, 2)))
            q = 1;
        if (std::abs((*this)(1, 2)) > std::abs((*this)(p, q))) {
            p = 1;
            q = 2;
        }
        const double app = (*this)(p, p);
        const double aqq = (*this)(q, q);
        const double apq = (*this)(p, q);

        const double tol = (app + aqq) * kEpsilon;
        if (std::abs(app - aqq) < tol && std::abs(2.0 * apq) < tol)
            break; // converged
        if (kLarge * std::abs(2.0 * apq) <= std::abs(app - aqq))
            break; // the pivot is negligible against the diagonal

        const double theta = (app - aqq) / (2.0 * apq);
        double t;
        if (std::abs(theta) <= kThetaLimit)
            t = (theta < 0.0 ? -1.0 : 1.0) / (std::sqrt(1.0 + theta * theta) + std::abs(theta));
        else
            t = 1.0 / (2.0 * theta);
        const double c = 1.0 / std::sqrt(1.0 + t * t);
        if (1.0 - c < kEpsilon)
            break; // the rotation would change nothing
        const double s = c * t;

        ZkGeMatrix3d rotation;
        rotation(p, p) = c;
        rotation(q, q) = c;
        rotation(q, p) = s;
        rotation(p, q) = -s;
        v.postMultBy(rotation);
        *this = similarityTransformBy(rotation, p, q);
    }
    (*this)(1, 2) = 0.0;
    (*this)(0, 2) = 0.0;
    (*this)(0, 1) = 0.0;
    return v;
}

void InertiaTensor::calcPrinciples(double* moments, ZkGeVector3d* axes) const {
    InertiaTensor diagonal(*this);
    const ZkGeMatrix3d v = diagonal.diagonalize();
    for (int i = 0; i < 3; ++i) {
        moments[i] = diagonal(i, i);
        axes[i] = column(v, i);
    }
}

void InertiaTensor::calcPrincipleRotations(const ZkGeVector3d* axes, double* rotations) {
    ZkGeMatrix3d m;
    m.setCoordSystem(ZkGePoint3d::kOrigin, axes[0], axes[1], axes[2]);

    // About x, bringing the third axis into the xz plane; nothing to do when
    // it already lies along x.
    const double r = std::sqrt(m(1, 2) * m(1, 2) + m(2, 2) * m(2, 2));
    if (std::abs(m(2, 2)) < kLarge * r) {
        rotations[0] = clampedAcos(m(2, 2) / r);
        if (m(1, 2) < 0.0)
            rotations[0] = -rotations[0];
        m.preMultBy(ZkGeMatrix3d::rotation(rotations[0], ZkGeVector3d::kXAxis));
    } else {
        rotations[0] = 0.0;
    }

    // About y, bringing the third axis onto z.
    rotations[1] = clampedAcos(m(2, 2));
    if (-m(0, 2) < 0.0)
        rotations[1] = -rotations[1];
    m.preMultBy(ZkGeMatrix3d::rotation(rotations[1], ZkGeVector3d::kYAxis));

    // About z, the angle of the first axis from x.
    rotations[2] = clampedAcos(m(0, 0));
    if (-m(1, 0) < 0.0)
        rotations[2] = -rotations[2];
}

void InertiaTensor::calcRadiiOfGyration(const double* moments, double mass, double* radii) {
    const double absMass = std::abs(mass);
    for (int i = 0; i < 3; ++i) {
        const double moment = std::abs(moments[i]);
        if (moment == 0.0)
            radii[i] = 0.0;
        else if (moment <= kLarge * absMass)
            radii[i] = std::sqrt(moment / absMass);
        else
            radii[i] = std::numeric_limits<double>::max();
    }
}

} // namespace Kv::Geometry
