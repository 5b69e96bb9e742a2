#pragma once

#include "ZkGeCurve3d.h"

// A circular arc in space, parameterised by the angle counter-clockwise about
// its normal from its reference vector, from startAng() to endAng().
class ZkGeCircArc3d : public ZkGeCurve3d {
public:
    using ZkGeCurve3d::distanceTo;
    using ZkGeCurve3d::length;

    ZkGeCircArc3d(); // the unit circle about the z axis, from +x
    // A full circle; the reference vector is normal.perpVector(), the rule
    // planes use for their u axis.
    ZkGeCircArc3d(const ZkGePoint3d& center, const ZkGeVector3d& normal, double radius) {
        set(center, normal, radius);
    }
    ZkGeCircArc3d(const ZkGePoint3d& center, const ZkGeVector3d& normal, const ZkGeVector3d& refVec,
                  double radius, double startAng, double endAng) {
        set(center, normal, refVec, radius, startAng, endAng);
    }
    // The arc from start through mid to end; see the three-point set. Points
    // on one line leave a zero-radius arc at start, which isDegenerate().
    ZkGeCircArc3d(const ZkGePoint3d& start, const ZkGePoint3d& mid, const ZkGePoint3d& end);

    ZkGeCircArc3d& set(const ZkGePoint3d& center, const ZkGeVector3d& normal, double radius);
    // The normal and reference vector are stored unit length, the reference
    // vector made perpendicular to the normal first; one that is parallel to
    // the normal is replaced by normal.perpVector(), and a zero normal by the
    // z axis. The radius is stored without sign. The angles go through
    // setAngles.
    ZkGeCircArc3d& set(const ZkGePoint3d& center, const ZkGeVector3d& normal,
                       const ZkGeVector3d& refVec, double radius, double startAng, double endAng);
    // The arc from start through mid to end, with the normal chosen so that
    // it runs counter-clockwise, the reference vector pointing at start and
    // startAng 0. False, with the arc unchanged, when two of the points
    // coincide or all three lie on one line (the sine of the angle at end
    // within equalVector).
    bool set(const ZkGePoint3d& start, const ZkGePoint3d& mid, const ZkGePoint3d& end,
             const ZkGeTol& tol = ZkGeContext::gTol);

    ZkGePoint3d center() const { return m_center; }
    double radius() const { return m_radius; }
    ZkGeVector3d normal() const { return m_normal; }
    ZkGeVector3d refVec() const { return m_refVec; }
    double startAng() const { return m_startAng; }
    double endAng() const { return m_endAng; }
    ZkGePoint3d startPoint() const { return evalPoint(m_startAng); }
    ZkGePoint3d endPoint() const { return evalPoint(m_endAng); }
    ZkGeCircArc3d& setCenter(const ZkGePoint3d& center);
    ZkGeCircArc3d& setRadius(double radius);
    // As in set: refVec is made a unit vector perpendicular to normal.
    ZkGeCircArc3d& setAxes(const ZkGeVector3d& normal, const ZkGeVector3d& refVec);
    // startAng is kept as given; endAng is moved by whole turns into
    // (startAng, startAng + 2 pi], so equal angles give a full circle and
    // (-pi/4, pi/4) is the quarter across the reference vector.
    ZkGeCircArc3d& setAngles(double startAng, double endAng);
    bool isFullCircle() const;
    // The angle of v about the normal from the reference vector, in
    // [0, 2 pi); the part of v along the normal is ignored.
    double angleOf(const ZkGeVector3d& v) const;

    ZkGe::EntityId type() const override { return ZkGe::kCircArc3d; }
    bool isKindOf(ZkGe::EntityId id) const override {
        return id == ZkGe::kCircArc3d || ZkGeCurve3d::isKindOf(id);
    }
    std::unique_ptr<ZkGeEntity3d> copy() const override;
    // Exact for rigid motions, mirrors and uniform scaling; a mirror turns the
    // normal so the points keep their parameters. A transform that scales the
    // arc's plane unevenly has an ellipse as the image, which an arc cannot
    // hold: the arc keeps the image of its center, the plane and the area of
    // the image, and its reference vector follows the transformed one.
    // Convert to ZkGeEllipArc3d first for the exact image. A translation
    // moves the center only: radius, axes and angles stay bit for bit.
    ZkGeCircArc3d& transformBy(const ZkGeMatrix3d& m) override;
    // Compares the defining data: center and radius within equalPoint, the
    // axes and angles within equalVector.
    bool isEqualTo(const ZkGeEntity3d& other,
                   const ZkGeTol& tol = ZkGeContext::gTol) const override;

    // [startAng, endAng]: never more than a turn, and a full circle spans one.
    ZkGeInterval getInterval() const override { return ZkGeInterval(m_startAng, m_endAng); }
    ZkGePoint3d evalPoint(double param) const override;
    ZkGePoint3d evalPoint(double param, int numDeriv,
                          std::vector<ZkGeVector3d>& derivatives) const override;
    // A point on the axis is equally far from the whole circle: the answer
    // is then the start point.
    ZkGePoint3d closestPointTo(const ZkGePoint3d& point,
                               const ZkGeTol& tol = ZkGeContext::gTol) const override;
    // The angle of the point, moved by whole turns into [startAng, endAng];
    // one that falls in the gap of the arc gives the nearer end. startAng for
    // a point on the axis.
    double paramOf(const ZkGePoint3d& point, const ZkGeTol& tol = ZkGeContext::gTol) const override;
    double length(double fromParam, double toParam, double tol = 1e-10) const override;
    void getSplitCurves(double param, std::unique_ptr<ZkGeCurve3d>& piece1,
                        std::unique_ptr<ZkGeCurve3d>& piece2) const override;
    bool isClosed(const ZkGeTol& tol = ZkGeContext::gTol) const override;
    bool isPeriodic(double& period) const override;
    // No radius, or an arc too short to be told from a point.
    bool isDegenerate(const ZkGeTol& tol = ZkGeContext::gTol) const override;
    ZkGeBoundBlock3d boundBlock() const override;

    bool operator==(const ZkGeCircArc3d& a) const {
        return m_center == a.m_center && m_normal == a.m_normal && m_refVec == a.m_refVec &&
               m_radius == a.m_radius && m_startAng == a.m_startAng && m_endAng == a.m_endAng;
    }
    bool operator!=(const ZkGeCircArc3d& a) const { return !(*this == a); }

private:
    ZkGeVector3d perpVec() const { return m_normal.crossProduct(m_refVec); }

    ZkGePoint3d m_center;
    ZkGeVector3d m_normal;
    ZkGeVector3d m_refVec;
    double m_radius = 1.0;
    double m_startAng = 0.0;
    double m_endAng = 0.0;
};
