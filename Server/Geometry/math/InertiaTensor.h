#pragma once

#include "ZkGeMatrix3d.h"

namespace Kv::Geometry {

// The symmetric 3x3 second-moment (inertia) tensor of a body, as six
// doubles: Ixx, Iyy, Izz, then the entries (1,2), (0,2) and (0,1). The
// off-diagonal entries are the tensor entries themselves, i.e. the negated
// products of inertia. Offers what a mass-properties calculation needs:
// point-mass tensors, sums, the parallel-axis rule, rotation, Jacobi
// diagonalisation, rotation angles of principal axes and radii of gyration.
class InertiaTensor {
public:
    // The identity.
    InertiaTensor();
    // Three diagonal and three off-diagonal values, in storage order.
    InertiaTensor(const double* diagonal, const double* offDiagonal);
    // The tensor of a unit mass at p about the origin: |p|^2 E - p p^T.
    explicit InertiaTensor(const ZkGePoint3d& p);
    InertiaTensor(const InertiaTensor&) = default;
    InertiaTensor& operator=(const InertiaTensor&) = default;

    // Entry (i, j), i and j in 0..2; (i, j) and (j, i) are the same value.
    double& operator()(unsigned int i, unsigned int j);
    double operator()(unsigned int i, unsigned int j) const;

    InertiaTensor& operator*=(double factor);
    InertiaTensor& operator+=(const InertiaTensor& other);
    InertiaTensor& operator-=(const InertiaTensor& other);
    InertiaTensor operator+(const InertiaTensor& other) const;
    InertiaTensor operator-(const InertiaTensor& other) const;
    InertiaTensor operator*(double factor) const;
    // M^T * this * M on the 3x3 block of M.
    InertiaTensor operator*(const ZkGeMatrix3d& m) const;

    // M^T * this * M on the 3x3 block of M. When p and q name a coordinate
    // plane ((0, 1), (0, 2) or (1, 2), either order) M is taken to be a
    // rotation in that plane: the third diagonal entry is kept, the (p, q)
    // entry becomes exactly 0 and only the others are computed.
    InertiaTensor similarityTransformBy(const ZkGeMatrix3d& m, int p, int q) const;
    // Moves the reference point from the origin to the centre of mass c of a
    // body of mass `mass`: subtracts mass times the point tensor of c.
    InertiaTensor& translateBy(const ZkGePoint3d& c, double mass);
    // The tensor about the origin once the centre of mass moves from c to
    // c + v: adds mass times (T(c + v) - T(c)).
    InertiaTensor& translateBy(const ZkGeVector3d& v, const ZkGePoint3d& c, double mass);
    // The tensor about the origin of the body, centre of mass c, moved by the
    // rigid motion m: rotated by the 3x3 block R of m (R * this * R^T), then
    // translated by the translation of m, the centre now at R * c.
    InertiaTensor& transformBy(const ZkGeMatrix3d& m, const ZkGePoint3d& c, double mass);

    // Makes the tensor diagonal by Jacobi rotations and returns the product
    // of the rotations: its columns are the principal axes, in the order of
    // the principal moments left on the diagonal.
    ZkGeMatrix3d diagonalize();
    // The principal moments and axes, in the order diagonalize leaves them
    // (not sorted); this tensor is not changed.
    void calcPrinciples(double* moments, ZkGeVector3d* axes) const;
    // Rotations about x, then y, then z that turn three right-handed
    // principal axes onto the coordinate axes: the first two bring axes[2]
    // onto z, the third brings the turned axes[0] onto x.
    static void calcPrincipleRotations(const ZkGeVector3d* axes, double* rotations);
    // sqrt(|moment| / |mass|) for each of three moments; the largest double
    // where the moment exceeds 1e17 times the mass, and 0 for no moment.
    static void calcRadiiOfGyration(const double* moments, double mass, double* radii);

private:
    double m_entries[6];
};

} // namespace Kv::Geometry
