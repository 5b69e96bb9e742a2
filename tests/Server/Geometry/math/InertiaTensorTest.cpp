#include "Geometry/math/InertiaTensor.h"

#include <Eigen/Dense>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace Kv::Geometry::Tests {
namespace {

// The upper left 3 x 3 block of a tensor or a matrix.
template <class Matrix> Eigen::Matrix3d asEigen(const Matrix& matrix) {
    Eigen::Matrix3d m;
    for (unsigned int i = 0; i < 3; ++i)
        for (unsigned int j = 0; j < 3; ++j)
            m(i, j) = matrix(i, j);
    return m;
}

testing::AssertionResult near(const InertiaTensor& actual, const Eigen::Matrix3d& expected,
                              double eps) {
    const Eigen::Matrix3d a = asEigen(actual);
    if ((a - expected).cwiseAbs().maxCoeff() <= eps)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "\n"
                                       << a << "\nis not within " << eps << " of\n"
                                       << expected;
}

testing::AssertionResult near(const InertiaTensor& actual, const InertiaTensor& expected,
                              double eps) {
    return near(actual, asEigen(expected), eps);
}

InertiaTensor tensor(double xx, double yy, double zz, double yz, double xz, double xy) {
    const double diagonal[3] = {xx, yy, zz};
    const double offDiagonal[3] = {yz, xz, xy};
    return InertiaTensor(diagonal, offDiagonal);
}

InertiaTensor zeroTensor() {
    return tensor(0, 0, 0, 0, 0, 0);
}

// A symmetric tensor with random entries in [-5, 5].
InertiaTensor randomTensor(std::mt19937& random) {
    std::uniform_real_distribution<double> value(-5, 5);
    return tensor(value(random), value(random), value(random), value(random), value(random),
                  value(random));
}

// A ring of n point masses, `mass` in all, of radius r about center in the
// plane spanned by u and v (orthonormal).
std::vector<ZkGePoint3d> ring(const ZkGePoint3d& center, const ZkGeVector3d& u,
                              const ZkGeVector3d& v, double r, int n) {
    std::vector<ZkGePoint3d> points;
    for (int i = 0; i < n; ++i) {
        const double angle = 2 * M_PI * i / n;
        points.push_back(center + u * (r * std::cos(angle)) + v * (r * std::sin(angle)));
    }
    return points;
}

// The tensor about the origin of equal masses adding up to `mass`.
InertiaTensor pointSetTensor(const std::vector<ZkGePoint3d>& points, double mass) {
    InertiaTensor sum = zeroTensor();
    for (const ZkGePoint3d& p : points)
        sum += InertiaTensor(p) * (mass / points.size());
    return sum;
}

ZkGeVector3d column(const ZkGeMatrix3d& m, int col) {
    return ZkGeVector3d(m(0, col), m(1, col), m(2, col));
}

template <class T> std::vector<T> three(const T (&values)[3]) {
    return {values[0], values[1], values[2]};
}

// ---- construction and element access

TEST(InertiaTensor, StorageOrderAndSymmetricAccess) {
    EXPECT_TRUE(near(InertiaTensor(), Eigen::Matrix3d::Identity(), 0));
    InertiaTensor t = tensor(1, 2, 3, 4, 5, 6);
    Eigen::Matrix3d expected;
    expected << 1, 6, 5, 6, 2, 4, 5, 4, 3;
    EXPECT_TRUE(near(t, expected, 0));
    // A write through one side is seen from the other.
    t(2, 0) = -7;
    EXPECT_EQ(t(0, 2), -7);
}

TEST(InertiaTensor, UnitPointMassIsSquaredDistanceMinusOuterProduct) {
    const InertiaTensor t(ZkGePoint3d(1, 2, 3));
    EXPECT_TRUE(near(t, tensor(13, 10, 5, -6, -3, -2), 0));
    const Eigen::Vector3d p(-0.5, 4, 2.5);
    EXPECT_TRUE(near(InertiaTensor(ZkGePoint3d(p.x(), p.y(), p.z())),
                     p.squaredNorm() * Eigen::Matrix3d::Identity() - p * p.transpose(), 1e-14));
}

TEST(InertiaTensor, ArithmeticIsEntryWise) {
    const InertiaTensor a = tensor(1, 2, 3, 4, 5, 6);
    const InertiaTensor b = tensor(10, 20, 30, 40, 50, 60);
    EXPECT_TRUE(near(a + b, tensor(11, 22, 33, 44, 55, 66), 0));
    EXPECT_TRUE(near(b - a * 2.0, tensor(8, 16, 24, 32, 40, 48), 0));
    InertiaTensor c = a;
    ((c += b) -= a) *= -0.5;
    EXPECT_TRUE(near(c, tensor(-5, -10, -15, -20, -25, -30), 0));
}

// ---- similarity transforms and moving the reference point

TEST(InertiaTensor, SimilarityTransformIsTransposeTimesTensorTimesMatrix) {
    std::mt19937 random(3);
    const InertiaTensor t = randomTensor(random);
    ZkGeMatrix3d m;
    m.setCoordSystem(ZkGePoint3d(5, 6, 7), ZkGeVector3d(1, 2, 0.5), ZkGeVector3d(-1, 0.3, 2),
                     ZkGeVector3d(0.2, -3, 1));
    const Eigen::Matrix3d expected = asEigen(m).transpose() * asEigen(t) * asEigen(m);
    EXPECT_TRUE(near(t * m, expected, 1e-12));
    EXPECT_TRUE(near(t.similarityTransformBy(m, -1, -1), expected, 1e-12));
    // Not a coordinate plane: all six entries.
    EXPECT_TRUE(near(t.similarityTransformBy(m, 1, 1), expected, 1e-12));
    EXPECT_TRUE(near(t.similarityTransformBy(m, 0, 3), expected, 1e-12));

    // A point tensor turned is the tensor of the point turned back.
    const ZkGeMatrix3d turn = ZkGeMatrix3d::rotation(0.9, ZkGeVector3d(1, -2, 2));
    ZkGeMatrix3d back = turn;
    back.transpose();
    const ZkGePoint3d p(1, 2, 3);
    EXPECT_TRUE(
        near(InertiaTensor(p) * turn, InertiaTensor(ZkGePoint3d(p).transformBy(back)), 1e-13));
}

TEST(InertiaTensor, PlaneRotationKeepsTheThirdAxisAndClearsThePivot) {
    const InertiaTensor t = tensor(4, 1, 7, 0.5, -2, 3);
    for (const auto& [p, q] : {std::pair{0, 1}, {1, 0}, {0, 2}, {2, 1}}) {
        const int r = 3 - p - q;
        // The plane rotation that clears entry (p, q): tan(2a) = 2 t_pq / (t_pp - t_qq).
        const double angle = 0.5 * std::atan2(2 * t(p, q), t(p, p) - t(q, q));
        ZkGeMatrix3d rotation;
        rotation(p, p) = std::cos(angle);
        rotation(q, q) = std::cos(angle);
        rotation(q, p) = std::sin(angle);
        rotation(p, q) = -std::sin(angle);
        const InertiaTensor full = t * rotation;
        const InertiaTensor plane = t.similarityTransformBy(rotation, p, q);
        EXPECT_EQ(plane(p, q), 0.0) << p << q;
        EXPECT_NEAR(full(p, q), 0.0, 1e-14) << p << q;
        EXPECT_EQ(plane(r, r), t(r, r)) << p << q;
        EXPECT_TRUE(near(plane, full, 1e-14)) << p << q;
    }
}

TEST(InertiaTensor, ParallelAxisRuleOnARing) {
    // A ring of mass 3 and radius 2 about c in the xy plane: about its centre
    // Izz = m r^2 and Ixx = Iyy = m r^2 / 2.
    const ZkGePoint3d c(1, -2, 4);
    const double mass = 3, r = 2;
    const std::vector<ZkGePoint3d> points =
        ring(c, ZkGeVector3d::kXAxis, ZkGeVector3d::kYAxis, r, 12);
    InertiaTensor t = pointSetTensor(points, mass);
    EXPECT_EQ(&t.translateBy(c, mass), &t);
    EXPECT_TRUE(near(t, tensor(6, 6, 12, 0, 0, 0), 1e-12));

    // A point mass alone moves to nothing.
    InertiaTensor single = InertiaTensor(c) * mass;
    EXPECT_TRUE(near(single.translateBy(c, mass), zeroTensor(), 1e-14));
}

TEST(InertiaTensor, MovingTheBodyMatchesTheMovedPoints) {
    const ZkGePoint3d c(1, -2, 4);
    const double mass = 2.5;
    const std::vector<ZkGePoint3d> points =
        ring(c, ZkGeVector3d(0, 0.6, 0.8), ZkGeVector3d(1, 0, 0), 1.5, 9);
    const InertiaTensor atOrigin = pointSetTensor(points, mass);

    const ZkGeVector3d v(-3, 0.5, 2);
    std::vector<ZkGePoint3d> shifted;
    for (const ZkGePoint3d& p : points)
        shifted.push_back(p + v);
    InertiaTensor moved = atOrigin;
    EXPECT_EQ(&moved.translateBy(v, c, mass), &moved);
    EXPECT_TRUE(near(moved, pointSetTensor(shifted, mass), 1e-12));

    ZkGeMatrix3d motion = ZkGeMatrix3d::rotation(1.3, ZkGeVector3d(2, -1, 1), ZkGePoint3d(0, 3, 1));
    motion.preMultBy(ZkGeMatrix3d::translation(ZkGeVector3d(4, 4, -1)));
    std::vector<ZkGePoint3d> transformed;
    for (ZkGePoint3d p : points)
        transformed.push_back(p.transformBy(motion));
    InertiaTensor turned = atOrigin;
    EXPECT_EQ(&turned.transformBy(motion, c, mass), &turned);
    EXPECT_TRUE(near(turned, pointSetTensor(transformed, mass), 1e-11));
}

// ---- diagonalisation

TEST(InertiaTensor, DiagonalTensorsAndNegligibleCouplingsNeedNoRotation) {
    for (InertiaTensor t :
         {tensor(3, 1, 2, 0, 0, 0), InertiaTensor(), zeroTensor(), tensor(-1, -1, 4, 0, 0, 0)}) {
        const InertiaTensor before = t;
        EXPECT_EQ(t.diagonalize(), ZkGeMatrix3d::kIdentity);
        EXPECT_TRUE(near(t, before, 0));
    }
    // The rotation would turn by about 1e-12: its cosine rounds to 1, and the
    // coupling is dropped.
    InertiaTensor t = tensor(2, 1, 1, 0, 0, 1e-12);
    EXPECT_EQ(t.diagonalize(), ZkGeMatrix3d::kIdentity);
    EXPECT_TRUE(near(t, tensor(2, 1, 1, 0, 0, 0), 0));
    // Twice the coupling below 1e-17 of the diagonal gap is not even looked at.
    t = tensor(3, 1, 1, 0, 1e-18, 0);
    EXPECT_EQ(t.diagonalize(), ZkGeMatrix3d::kIdentity);
    EXPECT_EQ(t(0, 2), 0.0);
}

TEST(InertiaTensor, OneRotationInEachPlane) {
    const double h = std::sqrt(0.5);
    const ZkGeTol tight(1e-15, 1e-15);
    // (0, 1): diagonal (2, 2, 1) coupled by 1 becomes (3, 1, 1).
    InertiaTensor t = tensor(2, 2, 1, 0, 0, 1);
    ZkGeMatrix3d v = t.diagonalize();
    EXPECT_TRUE(near(t, tensor(3, 1, 1, 0, 0, 0), 1e-15));
    EXPECT_TRUE(column(v, 0).isEqualTo(ZkGeVector3d(h, h, 0), tight));
    EXPECT_TRUE(column(v, 1).isEqualTo(ZkGeVector3d(-h, h, 0), tight));
    EXPECT_EQ(column(v, 2), ZkGeVector3d(0, 0, 1));
    // (1, 2), the third axis untouched.
    t = tensor(5, 2, 2, 1, 0, 0);
    v = t.diagonalize();
    EXPECT_TRUE(near(t, tensor(5, 3, 1, 0, 0, 0), 1e-15));
    EXPECT_EQ(column(v, 0), ZkGeVector3d(1, 0, 0));
    EXPECT_TRUE(column(v, 1).isEqualTo(ZkGeVector3d(0, h, h), tight));
    EXPECT_TRUE(column(v, 2).isEqualTo(ZkGeVector3d(0, -h, h), tight));
    // (0, 2) with unequal diagonal entries: the larger moment stays first.
    t = tensor(3, 7, 1, 0, 2, 0);
    v = t.diagonalize();
    const double big = 2 + std::sqrt(5.0), small = 2 - std::sqrt(5.0);
    EXPECT_TRUE(near(t, tensor(big, 7, small, 0, 0, 0), 1e-14));
    EXPECT_EQ(column(v, 1), ZkGeVector3d(0, 1, 0));
}

TEST(InertiaTensor, RandomTensorsDiagonaliseToTheirEigenpairs) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 50; ++trial) {
        const InertiaTensor original = randomTensor(random);
        InertiaTensor t = original;
        const ZkGeMatrix3d v = t.diagonalize();
        const Eigen::Matrix3d vb = asEigen(v);
        EXPECT_LT((vb.transpose() * vb - Eigen::Matrix3d::Identity()).cwiseAbs().maxCoeff(), 1e-14);
        std::vector<double> moments;
        for (unsigned int i = 0; i < 3; ++i) {
            moments.push_back(t(i, i));
            EXPECT_EQ(t(i, (i + 1) % 3), 0.0);
            // T v_i = lambda_i v_i, up to what the last rotation skipped: it
            // stops once cos rounds to 1, leaving couplings of about 2e-8
            // times a diagonal gap of at most 20.
            const Eigen::Vector3d axis = vb.col(i);
            EXPECT_LT((asEigen(original) * axis - t(i, i) * axis).norm(), 1e-6) << trial;
        }
        std::sort(moments.begin(), moments.end());
        const Eigen::Vector3d expected =
            Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d>(asEigen(original)).eigenvalues();
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(moments[i], expected(i), 1e-13) << trial;
    }
}

TEST(InertiaTensor, PrincipalAxesOfATiltedRingFollowItsNormal) {
    const ZkGeVector3d u = ZkGeVector3d(1, 1, 0).normal();
    const ZkGeVector3d w = ZkGeVector3d(-1, 1, 1).normal();
    const ZkGeVector3d normal = u.crossProduct(w);
    const double mass = 2, r = 3;
    InertiaTensor t = pointSetTensor(ring(ZkGePoint3d(), u, w, r, 16), mass);
    double moments[3];
    ZkGeVector3d axes[3];
    t.calcPrinciples(moments, axes);
    int polar = 0;
    for (int i = 0; i < 3; ++i) {
        if (std::abs(moments[i] - mass * r * r) < 1e-12)
            polar = i;
        else
            EXPECT_NEAR(moments[i], mass * r * r / 2, 1e-12) << i;
    }
    EXPECT_NEAR(std::abs(axes[polar].dotProduct(normal)), 1.0, 1e-14);
    EXPECT_NEAR(moments[0] + moments[1] + moments[2], 2 * mass * r * r, 1e-12);
}

TEST(InertiaTensor, PrinciplesOfADiagonalTensorComeInDiagonalOrder) {
    const InertiaTensor t = tensor(1, 3, 2, 0, 0, 0);
    double moments[3];
    ZkGeVector3d axes[3];
    t.calcPrinciples(moments, axes);
    EXPECT_EQ(three(moments), (std::vector<double>{1, 3, 2}));
    EXPECT_EQ(three(axes), (std::vector<ZkGeVector3d>{ZkGeVector3d::kXAxis, ZkGeVector3d::kYAxis,
                                                      ZkGeVector3d::kZAxis}));
}

// ---- rotation angles and radii of gyration

TEST(InertiaTensor, RotationAnglesTurnTheAxesOntoTheCoordinateAxes) {
    const ZkGeVector3d identity[3] = {ZkGeVector3d::kXAxis, ZkGeVector3d::kYAxis,
                                      ZkGeVector3d::kZAxis};
    double rotations[3] = {9, 9, 9};
    InertiaTensor::calcPrincipleRotations(identity, rotations);
    EXPECT_EQ(three(rotations), (std::vector<double>{0, 0, 0}));

    // The third axis along x needs no turn about x.
    const ZkGeVector3d lying[3] = {ZkGeVector3d::kZAxis, ZkGeVector3d::kYAxis,
                                   -ZkGeVector3d::kXAxis};
    InertiaTensor::calcPrincipleRotations(lying, rotations);
    EXPECT_EQ(rotations[0], 0);
    EXPECT_NEAR(rotations[1], M_PI / 2, 1e-15);
    EXPECT_NEAR(rotations[2], 0, 1e-15);

    // Any frame is turned back onto the axes by z, then y, then x.
    std::mt19937 random(5);
    std::uniform_real_distribution<double> angle(-M_PI, M_PI), coord(-1, 1);
    for (int trial = 0; trial < 30; ++trial) {
        const ZkGeMatrix3d frame = ZkGeMatrix3d::rotation(
            angle(random), ZkGeVector3d(coord(random), coord(random), coord(random)));
        const ZkGeVector3d axes[3] = {column(frame, 0), column(frame, 1), column(frame, 2)};
        InertiaTensor::calcPrincipleRotations(axes, rotations);
        ZkGeMatrix3d back = ZkGeMatrix3d::rotation(rotations[2], ZkGeVector3d::kZAxis) *
                            ZkGeMatrix3d::rotation(rotations[1], ZkGeVector3d::kYAxis) *
                            ZkGeMatrix3d::rotation(rotations[0], ZkGeVector3d::kXAxis) * frame;
        EXPECT_TRUE(back.isEqualTo(ZkGeMatrix3d::kIdentity, ZkGeTol(1e-12, 1e-12))) << trial;
    }
}

TEST(InertiaTensor, RadiiOfGyration) {
    const double moments[3] = {4, -9, 16};
    double radii[3];
    InertiaTensor::calcRadiiOfGyration(moments, -4, radii);
    EXPECT_EQ(three(radii), (std::vector<double>{1, 1.5, 2}));

    const double largest = std::numeric_limits<double>::max();
    InertiaTensor::calcRadiiOfGyration(moments, 0, radii);
    EXPECT_EQ(three(radii), (std::vector<double>{largest, largest, largest}));

    // Up to 1e17 times the mass the radius is computed.
    const double edge[3] = {1e17, 1.0000001e17, 0};
    InertiaTensor::calcRadiiOfGyration(edge, 1, radii);
    EXPECT_DOUBLE_EQ(radii[0], std::sqrt(1e17));
    EXPECT_EQ(radii[1], largest);
    EXPECT_EQ(radii[2], 0);
    const double none[3] = {0, 0, 0};
    InertiaTensor::calcRadiiOfGyration(none, 0, radii);
    EXPECT_EQ(radii[0], 0);
}

} // namespace
} // namespace Kv::Geometry::Tests
