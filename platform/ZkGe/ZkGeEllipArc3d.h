#pragma once

#include "ZkGeArcAngles.h"
#include "ZkGeCurve3d.h"

class ZkGeCircArc3d;

// An elliptical arc in space: center + a cos t * majorAxis + b sin t * minorAxis
// for t from startAng() to endAng(), with unit perpendicular axes and a >= b.
class ZkGeEllipArc3d : public ZkGeCurve3d {
public:
    using ZkGeCurve3d::distanceTo;
    using ZkGeCurve3d::length;

    ZkGeEllipArc3d(); // the unit circle about the z axis, from +x
    ZkGeEllipArc3d(const ZkGePoint3d& center, const ZkGeVector3d& majorAxis,
                   const ZkGeVector3d& minorAxis, double majorRadius, double minorRadius,
                   double startAng = 0.0, double endAng = ZkGeArcAngles::kTwoPi) {
        set(center, majorAxis, minorAxis, majorRadius, minorRadius, startAng, endAng);
    }
    // The same arc, reference vector as major axis and equal radii.
    explicit ZkGeEllipArc3d(const ZkGeCircArc3d& arc);

    // The axes are stored unit length, the minor one made perpendicular to
    // the major one first (one parallel to it is replaced by major x
    // major.perpVector(); a zero major axis by the x axis); the radii without
    // sign; the angles as setAngles. A minor radius larger than the major
    // one swaps the roles: the given minor axis becomes the major axis, the
    // negated major axis the minor one, and both angles drop by pi/2. The
    // arc then has the same points, the same normal and the same direction,
    // but the angles read back differently.
    ZkGeEllipArc3d& set(const ZkGePoint3d& center, const ZkGeVector3d& majorAxis,
                        const ZkGeVector3d& minorAxis, double majorRadius, double minorRadius,
                        double startAng = 0.0, double endAng = ZkGeArcAngles::kTwoPi);

    ZkGePoint3d center() const { return m_center; }
    ZkGeVector3d majorAxis() const { return m_majorAxis; }
    ZkGeVector3d minorAxis() const { return m_minorAxis; }
    double majorRadius() const { return m_majorRadius; }
    double minorRadius() const { return m_minorRadius; }
    ZkGeVector3d normal() const { return m_majorAxis.crossProduct(m_minorAxis); }
    double startAng() const { return m_startAng; }
    double endAng() const { return m_endAng; }
    ZkGePoint3d startPoint() const { return evalPoint(m_startAng); }
    ZkGePoint3d endPoint() const { return evalPoint(m_endAng); }
    ZkGeEllipArc3d& setCenter(const ZkGePoint3d& center);
    // The radii stay; a swap as in set can follow only from setAxesRadii.
    ZkGeEllipArc3d& setAxes(const ZkGeVector3d& majorAxis, const ZkGeVector3d& minorAxis);
    ZkGeEllipArc3d& setAxesRadii(const ZkGeVector3d& majorAxis, const ZkGeVector3d& minorAxis,
                                 double majorRadius, double minorRadius);
    // As ZkGeCircArc3d::setAngles: endAng moves by whole turns into
    // (startAng, startAng + 2 pi]; equal angles give the whole ellipse.
    ZkGeEllipArc3d& setAngles(double startAng, double endAng);
    bool isFullEllipse() const;

    ZkGe::EntityId type() const override { return ZkGe::kEllipArc3d; }
    bool isKindOf(ZkGe::EntityId id) const override {
        return id == ZkGe::kEllipArc3d || ZkGeCurve3d::isKindOf(id);
    }
    std::unique_ptr<ZkGeEntity3d> copy() const override;
    // Exact for every non-singular affine transform. The image of an ellipse
    // is an ellipse whose axes are in general not the images of the old
    // ones, so the angles shift by the same amount to keep each point at its
    // parameter's image: evalPoint(t) then maps to evalPoint(t - shift).
    // Rigid motions and uniform scaling leave the angles alone; a
    // translation moves the center only and keeps the rest bit for bit.
    ZkGeEllipArc3d& transformBy(const ZkGeMatrix3d& m) override;
    // Compares the defining data: center and radii within equalPoint, axes
    // and angles within equalVector.
    bool isEqualTo(const ZkGeEntity3d& other,
                   const ZkGeTol& tol = ZkGeContext::gTol) const override;

    // [startAng, endAng], at most a turn. t runs counter-clockwise about
    // normal() and is the eccentric angle: on anything but a circle it is not
    // the polar angle of the point.
    ZkGeInterval getInterval() const override { return ZkGeInterval(m_startAng, m_endAng); }
    ZkGePoint3d evalPoint(double param) const override;
    ZkGePoint3d evalPoint(double param, int numDeriv,
                          std::vector<ZkGeVector3d>& derivatives) const override;
    // Samples the arc and refines the best candidates by Newton steps.
    ZkGePoint3d closestPointTo(const ZkGePoint3d& point,
                               const ZkGeTol& tol = ZkGeContext::gTol) const override;
    double paramOf(const ZkGePoint3d& point, const ZkGeTol& tol = ZkGeContext::gTol) const override;
    // Integrated numerically, to the relative tolerance tol.
    double length(double fromParam, double toParam, double tol = 1e-10) const override;
    void getSplitCurves(double param, std::unique_ptr<ZkGeCurve3d>& piece1,
                        std::unique_ptr<ZkGeCurve3d>& piece2) const override;
    bool isClosed(const ZkGeTol& tol = ZkGeContext::gTol) const override;
    bool isPeriodic(double& period) const override;
    // Flattened to a segment (no minor radius), or too short to be told
    // from a point.
    bool isDegenerate(const ZkGeTol& tol = ZkGeContext::gTol) const override;
    ZkGeBoundBlock3d boundBlock() const override;

    bool operator==(const ZkGeEllipArc3d& a) const {
        return m_center == a.m_center && m_majorAxis == a.m_majorAxis &&
               m_minorAxis == a.m_minorAxis && m_majorRadius == a.m_majorRadius &&
               m_minorRadius == a.m_minorRadius && m_startAng == a.m_startAng &&
               m_endAng == a.m_endAng;
    }
    bool operator!=(const ZkGeEllipArc3d& a) const { return !(*this == a); }

private:
    // Restores majorRadius >= minorRadius by the swap described at set.
    void orderRadii();

    ZkGePoint3d m_center;
    ZkGeVector3d m_majorAxis;
    ZkGeVector3d m_minorAxis;
    double m_majorRadius = 1.0;
    double m_minorRadius = 1.0;
    double m_startAng = 0.0;
    double m_endAng = 0.0;
};
