#pragma once

#include "ZkGeBoundBlock3d.h"
#include "ZkGeEntity3d.h"
#include "ZkGeInterval.h"
#include "ZkGePoint3d.h"
#include "ZkGeVector3d.h"

#include <memory>
#include <vector>

// A bounded or unbounded parametric curve in space. Every curve the sketches
// hold (segments, arcs, ellipses, NURBS) answers these, so analysis and
// display code needs no knowledge of the curve's kind.
class ZkGeCurve3d : public ZkGeEntity3d {
public:
    bool isKindOf(ZkGe::EntityId id) const override {
        return id == ZkGe::kCurve3d || ZkGeEntity3d::isKindOf(id);
    }

    // The parameter range; unbounded for infinite lines and rays.
    virtual ZkGeInterval getInterval() const = 0;
    virtual ZkGePoint3d evalPoint(double param) const = 0;
    // The point and its first `numDeriv` derivatives with respect to the
    // parameter (derivatives[0] is the first derivative).
    virtual ZkGePoint3d evalPoint(double param, int numDeriv,
                                  std::vector<ZkGeVector3d>& derivatives) const = 0;

    // Nearest point of the curve (within its interval) to `point`.
    virtual ZkGePoint3d closestPointTo(const ZkGePoint3d& point,
                                       const ZkGeTol& tol = ZkGeContext::gTol) const = 0;
    // Nearest point when curve and point are both projected along `direction`
    // onto a plane perpendicular to it. The point returned lies on the curve
    // itself, not on the plane; a zero direction means closestPointTo.
    virtual ZkGePoint3d projClosestPointTo(const ZkGePoint3d& point, const ZkGeVector3d& direction,
                                           const ZkGeTol& tol = ZkGeContext::gTol) const;
    double distanceTo(const ZkGePoint3d& point, const ZkGeTol& tol = ZkGeContext::gTol) const {
        return closestPointTo(point, tol).distanceTo(point);
    }
    // Smallest distance between this curve and `other`. A class that
    // overrides this needs `using ZkGeCurve3d::distanceTo;` to keep the point
    // version visible.
    virtual double distanceTo(const ZkGeCurve3d& other,
                              const ZkGeTol& tol = ZkGeContext::gTol) const;
    // Parameter of the point of the curve nearest `point`.
    virtual double paramOf(const ZkGePoint3d& point,
                           const ZkGeTol& tol = ZkGeContext::gTol) const = 0;
    virtual bool isOn(const ZkGePoint3d& point, const ZkGeTol& tol = ZkGeContext::gTol) const {
        return distanceTo(point, tol) <= tol.equalPoint();
    }

    // Arc length between two parameters (in either order), and of the whole
    // bounded curve. tol is relative to the result; infinite for a parameter at
    // infinity. A class that overrides this needs `using ZkGeCurve3d::length;`
    // to keep length() visible.
    virtual double length(double fromParam, double toParam, double tol = 1e-10) const;
    double length() const {
        ZkGeInterval range = getInterval();
        return length(range.lowerBound(), range.upperBound());
    }

    // `numSample` points at parameters evenly spaced over the interval, ends
    // included; `params` receives the parameters when given. Both are
    // replaced, not appended to. One sample is the start point, none (or an
    // unbounded interval, which has no even spacing) gives no points.
    virtual void getSamplePoints(int numSample, std::vector<ZkGePoint3d>& points,
                                 std::vector<double>* params = nullptr) const;
    // The curve split at `param` into the pieces before and after it; a piece
    // is null when `param` is at or beyond that end.
    virtual void getSplitCurves(double param, std::unique_ptr<ZkGeCurve3d>& piece1,
                                std::unique_ptr<ZkGeCurve3d>& piece2) const = 0;

    // Whether the ends meet within equalPoint; never for an unbounded curve.
    virtual bool isClosed(const ZkGeTol& tol = ZkGeContext::gTol) const;
    // Whether evalPoint(t + period) is evalPoint(t) for every t; period is
    // set to 0 when not.
    virtual bool isPeriodic(double& period) const;
    virtual bool isDegenerate(const ZkGeTol& tol = ZkGeContext::gTol) const = 0;
    // An axis-aligned box holding the curve (tight for analytic curves).
    virtual ZkGeBoundBlock3d boundBlock() const = 0;

protected:
    ZkGeCurve3d() = default;
    ZkGeCurve3d(const ZkGeCurve3d&) = default;
    ZkGeCurve3d& operator=(const ZkGeCurve3d&) = default;
};
