#pragma once

#include "ZkGeArcAngles.h"
#include "ZkGeCurve2d.h"

// A circular arc in the plane, parameterised by the angle counter-clockwise
// from its reference vector, from startAng() to endAng(); never clockwise.
class ZkGeCircArc2d : public ZkGeCurve2d {
public:
    using ZkGeCurve2d::length;

    ZkGeCircArc2d(); // the unit circle about the origin, from +x
    // From the angle startAng to endAng of the circle, measured from refVec.
    ZkGeCircArc2d(const ZkGePoint2d& center, double radius, double startAng = 0.0,
                  double endAng = ZkGeArcAngles::kTwoPi,
                  const ZkGeVector2d& refVec = ZkGeVector2d::kXAxis) {
        set(center, radius, startAng, endAng, refVec);
    }
    // The arc through the three points; see the three-point set. Points on
    // one line leave a zero-radius circle at start.
    ZkGeCircArc2d(const ZkGePoint2d& start, const ZkGePoint2d& mid, const ZkGePoint2d& end);

    // refVec is stored unit length (a zero one as the x axis); the radius
    // without sign; the angles as setAngles.
    ZkGeCircArc2d& set(const ZkGePoint2d& center, double radius, double startAng = 0.0,
                       double endAng = ZkGeArcAngles::kTwoPi,
                       const ZkGeVector2d& refVec = ZkGeVector2d::kXAxis);
    // The arc from start through mid to end, with the reference vector
    // pointing at its first point and startAng 0. Picked clockwise, the same
    // points are stored as the counter-clockwise arc from end through mid to
    // start, so startPoint() is then `end`. False, with the arc unchanged,
    // when two points coincide or all three lie on one line.
    bool set(const ZkGePoint2d& start, const ZkGePoint2d& mid, const ZkGePoint2d& end,
             const ZkGeTol& tol = ZkGeContext::gTol);

    ZkGePoint2d center() const { return m_center; }
    double radius() const { return m_radius; }
    ZkGeVector2d refVec() const { return m_refVec; }
    double startAng() const { return m_startAng; }
    double endAng() const { return m_endAng; }
    ZkGePoint2d startPoint() const { return evalPoint(m_startAng); }
    ZkGePoint2d endPoint() const { return evalPoint(m_endAng); }
    ZkGeCircArc2d& setCenter(const ZkGePoint2d& center);
    ZkGeCircArc2d& setRadius(double radius);
    ZkGeCircArc2d& setRefVec(const ZkGeVector2d& refVec);
    // startAng is kept; endAng moves by whole turns into
    // (startAng, startAng + 2 pi], so equal angles give a full circle.
    ZkGeCircArc2d& setAngles(double startAng, double endAng);
    bool isFullCircle() const;
    // The angle of v counter-clockwise from the reference vector, in [0, 2 pi).
    double angleOf(const ZkGeVector2d& v) const;

    ZkGe::EntityId type() const override { return ZkGe::kCircArc2d; }
    bool isKindOf(ZkGe::EntityId id) const override {
        return id == ZkGe::kCircArc2d || ZkGeCurve2d::isKindOf(id);
    }
    std::unique_ptr<ZkGeCurve2d> copy() const override;
    bool isEqualTo(const ZkGeCurve2d& other, const ZkGeTol& tol = ZkGeContext::gTol) const override;

    ZkGeInterval getInterval() const override { return ZkGeInterval(m_startAng, m_endAng); }
    ZkGePoint2d evalPoint(double param) const override;
    ZkGePoint2d evalPoint(double param, int numDeriv,
                          std::vector<ZkGeVector2d>& derivatives) const override;
    // The point's angle moved into the arc, or the nearer end; startAng for
    // the center, which is equally far from every point.
    double paramOf(const ZkGePoint2d& point, const ZkGeTol& tol = ZkGeContext::gTol) const override;
    double length(double fromParam, double toParam, double tol = 1e-10) const override;
    bool isClosed(const ZkGeTol& tol = ZkGeContext::gTol) const override;
    ZkGeBoundBlock2d boundBlock() const override;

    bool operator==(const ZkGeCircArc2d& a) const {
        return m_center == a.m_center && m_radius == a.m_radius && m_refVec == a.m_refVec &&
               m_startAng == a.m_startAng && m_endAng == a.m_endAng;
    }
    bool operator!=(const ZkGeCircArc2d& a) const { return !(*this == a); }

private:
    ZkGePoint2d m_center;
    double m_radius = 1.0;
    ZkGeVector2d m_refVec;
    double m_startAng = 0.0;
    double m_endAng = 0.0;
};
