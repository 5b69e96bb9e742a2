#pragma once

#include "ZkGePoint3d.h"

// An affine transform of space, as a 4x4 matrix.
//
// Convention: entry[row][col], applied to column vectors, p' = M p; the
// columns of the upper 3x3 block are the images of the unit axes and column 3
// is the translation. So a * b first applies b, then a. The bottom row stays
// 0 0 0 1: transforming points and vectors ignores it.
class ZkGeMatrix3d {
public:
    double entry[4][4];

    ZkGeMatrix3d(); // the identity

    static const ZkGeMatrix3d kIdentity;

    static ZkGeMatrix3d translation(const ZkGeVector3d& v);
    static ZkGeMatrix3d rotation(double angle, const ZkGeVector3d& axis,
                                 const ZkGePoint3d& center = ZkGePoint3d::kOrigin);

    ZkGeMatrix3d& setToIdentity();
    ZkGeMatrix3d& setToTranslation(const ZkGeVector3d& v);
    // Right-handed: counter-clockwise when the axis points at the viewer. The
    // axis need not be unit length but must not be zero.
    ZkGeMatrix3d& setToRotation(double angle, const ZkGeVector3d& axis,
                                const ZkGePoint3d& center = ZkGePoint3d::kOrigin);
    ZkGeMatrix3d& setToScaling(double scale, const ZkGePoint3d& center = ZkGePoint3d::kOrigin);
    // Maps the world origin and unit axes to the given origin and axes, i.e.
    // takes coordinates in that system to world coordinates.
    ZkGeMatrix3d& setCoordSystem(const ZkGePoint3d& origin, const ZkGeVector3d& xAxis,
                                 const ZkGeVector3d& yAxis, const ZkGeVector3d& zAxis);
    void getCoordSystem(ZkGePoint3d& origin, ZkGeVector3d& xAxis, ZkGeVector3d& yAxis,
                        ZkGeVector3d& zAxis) const;
    // Moves the "from" system onto the "to" system: fromOrigin goes to
    // toOrigin, fromXAxis to toXAxis, and so on.
    ZkGeMatrix3d& setToAlignCoordSys(const ZkGePoint3d& fromOrigin, const ZkGeVector3d& fromXAxis,
                                     const ZkGeVector3d& fromYAxis, const ZkGeVector3d& fromZAxis,
                                     const ZkGePoint3d& toOrigin, const ZkGeVector3d& toXAxis,
                                     const ZkGeVector3d& toYAxis, const ZkGeVector3d& toZAxis);

    // this = m * this: m applies after the current transform.
    ZkGeMatrix3d& preMultBy(const ZkGeMatrix3d& m);
    // this = this * m: m applies before the current transform.
    ZkGeMatrix3d& postMultBy(const ZkGeMatrix3d& m);
    ZkGeMatrix3d operator*(const ZkGeMatrix3d& m) const;

    // A singular matrix has no inverse and is left as it is; ask isSingular first.
    ZkGeMatrix3d& invert();
    ZkGeMatrix3d inverse() const { return ZkGeMatrix3d(*this).invert(); }
    ZkGeMatrix3d& transpose();
    double det() const;

    // Translation entries compare as positions (equalPoint), the rest as
    // vector components (equalVector).
    bool isEqualTo(const ZkGeMatrix3d& m, const ZkGeTol& tol = ZkGeContext::gTol) const;
    // True when the 3x3 block flattens space: its determinant, relative to the
    // product of its column lengths, is within equalVector. Relative, so that
    // a tiny uniform scale is not mistaken for a collapse.
    bool isSingular(const ZkGeTol& tol = ZkGeContext::gTol) const;
    ZkGeVector3d translation() const { return ZkGeVector3d(entry[0][3], entry[1][3], entry[2][3]); }
    // The 3x3 block is exactly the identity: the transform only moves things
    // along, so shapes can keep their defining data bit for bit.
    bool isTranslation() const;

    double operator()(int row, int col) const { return entry[row][col]; }
    double& operator()(int row, int col) { return entry[row][col]; }

    // Exact comparison, for round trips; geometry should use isEqualTo.
    bool operator==(const ZkGeMatrix3d& m) const;
    bool operator!=(const ZkGeMatrix3d& m) const { return !(*this == m); }
};
