#pragma once

#include "ZkGeBoundBlock2d.h"
#include "ZkGeEntityId.h"
#include "ZkGeInterval.h"
#include "ZkGePoint2d.h"

#include <memory>
#include <vector>

// A bounded parametric curve in the plane, as sketches draw them. Placing them
// in space is the 3d curves' business, so plane curves have no transforms.
class ZkGeCurve2d {
public:
    virtual ~ZkGeCurve2d() = default;

    virtual ZkGe::EntityId type() const = 0;
    // True for the curve's own type and for every type it derives from.
    virtual bool isKindOf(ZkGe::EntityId id) const { return id == ZkGe::kCurve2d; }
    virtual std::unique_ptr<ZkGeCurve2d> copy() const = 0;
    // Same type, and the defining data matches within tol.
    virtual bool isEqualTo(const ZkGeCurve2d& other,
                           const ZkGeTol& tol = ZkGeContext::gTol) const = 0;

    virtual ZkGeInterval getInterval() const = 0;
    virtual ZkGePoint2d evalPoint(double param) const = 0;
    // The point and its first `numDeriv` derivatives with respect to the
    // parameter (derivatives[0] is the first derivative).
    virtual ZkGePoint2d evalPoint(double param, int numDeriv,
                                  std::vector<ZkGeVector2d>& derivatives) const = 0;

    // Parameter of the point of the curve nearest `point`. The default
    // samples the interval and refines the best candidates with Newton steps.
    virtual double paramOf(const ZkGePoint2d& point, const ZkGeTol& tol = ZkGeContext::gTol) const;
    // Nearest point of the curve; the default evaluates paramOf.
    virtual ZkGePoint2d closestPointTo(const ZkGePoint2d& point,
                                       const ZkGeTol& tol = ZkGeContext::gTol) const {
        return evalPoint(paramOf(point, tol));
    }
    double distanceTo(const ZkGePoint2d& point, const ZkGeTol& tol = ZkGeContext::gTol) const {
        return closestPointTo(point, tol).distanceTo(point);
    }
    virtual bool isOn(const ZkGePoint2d& point, const ZkGeTol& tol = ZkGeContext::gTol) const {
        return distanceTo(point, tol) <= tol.equalPoint();
    }

    // Arc length between two parameters, in either order, to the relative
    // tolerance tol. A class that overrides this needs
    // `using ZkGeCurve2d::length;` to keep length() visible.
    virtual double length(double fromParam, double toParam, double tol = 1e-10) const;
    double length() const {
        const ZkGeInterval range = getInterval();
        return length(range.lowerBound(), range.upperBound());
    }

    // As ZkGeCurve3d::getSamplePoints: evenly spaced parameters, ends
    // included; one sample is the start point, none gives no points.
    virtual void getSamplePoints(int numSample, std::vector<ZkGePoint2d>& points,
                                 std::vector<double>* params = nullptr) const;
    // Whether the ends meet within equalPoint.
    virtual bool isClosed(const ZkGeTol& tol = ZkGeContext::gTol) const;
    // An axis-aligned box holding the curve (tight for analytic curves).
    virtual ZkGeBoundBlock2d boundBlock() const = 0;

protected:
    ZkGeCurve2d() = default;
    ZkGeCurve2d(const ZkGeCurve2d&) = default;
    ZkGeCurve2d& operator=(const ZkGeCurve2d&) = default;
};
