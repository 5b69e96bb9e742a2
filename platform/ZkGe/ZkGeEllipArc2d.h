#pragma once

#include "ZkGeArcAngles.h"
#include "ZkGeCurve2d.h"

// An elliptical arc in the plane: center + a cos t * majorAxis + b sin t * minorAxis
// for t from startAng() to endAng(); a >= b, and never clockwise.
class ZkGeEllipArc2d : public ZkGeCurve2d {
public:
    using ZkGeCurve2d::length;

    ZkGeEllipArc2d(); // the unit circle about the origin, from +x
    ZkGeEllipArc2d(const ZkGePoint2d& center, const ZkGeVector2d& majorAxis, double majorRadius,
                   double minorRadius, double startAng = 0.0,
                   double endAng = ZkGeArcAngles::kTwoPi) {
        set(center, majorAxis, majorRadius, minorRadius, startAng, endAng);
    }

    // The major axis is stored unit length (a zero one as the x axis), the
    // radii without sign, the angles as setAngles. A minor radius larger
    // than the major one swaps the roles as the 3d arc does: the quarter
    // turned axis becomes the major one and both angles drop by pi/2, which
    // keeps the points and their order.
    ZkGeEllipArc2d& set(const ZkGePoint2d& center, const ZkGeVector2d& majorAxis,
                        double majorRadius, double minorRadius, double startAng = 0.0,
                        double endAng = ZkGeArcAngles::kTwoPi);

    ZkGePoint2d center() const { return m_center; }
    ZkGeVector2d majorAxis() const { return m_majorAxis; }
    // The major axis turned a quarter counter-clockwise, so the arc always
    // runs counter-clockwise.
    ZkGeVector2d minorAxis() const { return m_majorAxis.perpVector(); }
    double majorRadius() const { return m_majorRadius; }
    double minorRadius() const { return m_minorRadius; }
    double startAng() const { return m_startAng; }
    double endAng() const { return m_endAng; }
    ZkGePoint2d startPoint() const { return evalPoint(m_startAng); }
    ZkGePoint2d endPoint() const { return evalPoint(m_endAng); }
    // As ZkGeCircArc2d::setAngles.
    ZkGeEllipArc2d& setAngles(double startAng, double endAng);
    bool isFullEllipse() const;

    ZkGe::EntityId type() const override { return ZkGe::kEllipArc2d; }
    bool isKindOf(ZkGe::EntityId id) const override {
        return id == ZkGe::kEllipArc2d || ZkGeCurve2d::isKindOf(id);
    }
    std::unique_ptr<ZkGeCurve2d> copy() const override;
    bool isEqualTo(const ZkGeCurve2d& other, const ZkGeTol& tol = ZkGeContext::gTol) const override;

    ZkGeInterval getInterval() const override { return ZkGeInterval(m_startAng, m_endAng); }
    ZkGePoint2d evalPoint(double param) const override;
    ZkGePoint2d evalPoint(double param, int numDeriv,
                          std::vector<ZkGeVector2d>& derivatives) const override;
    double length(double fromParam, double toParam, double tol = 1e-10) const override;
    bool isClosed(const ZkGeTol& tol = ZkGeContext::gTol) const override;
    ZkGeBoundBlock2d boundBlock() const override;

    bool operator==(const ZkGeEllipArc2d& a) const {
        return m_center == a.m_center && m_majorAxis == a.m_majorAxis &&
               m_majorRadius == a.m_majorRadius && m_minorRadius == a.m_minorRadius &&
               m_startAng == a.m_startAng && m_endAng == a.m_endAng;
    }
    bool operator!=(const ZkGeEllipArc2d& a) const { return !(*this == a); }

private:
    ZkGePoint2d m_center;
    ZkGeVector2d m_majorAxis;
    double m_majorRadius = 1.0;
    double m_minorRadius = 1.0;
    double m_startAng = 0.0;
    double m_endAng = 0.0;
};
