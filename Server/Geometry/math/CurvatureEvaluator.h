#pragma once

#include "ZkGeBoundBlock3d.h"
#include "ZkGePoint3d.h"
#include "ZkGeVector3d.h"

#include <map>
#include <set>
#include <utility>

namespace Kv::Geometry {

// Curvature analysis of a parametric curve: the curvature vector at a
// parameter, the largest curvature, a display scale for a curvature comb and
// a set of parameters that crowd where the curve bends. A derived class
// supplies the curve through the virtual queries (evaluate, paramRange,
// curveBoundingBox, ...); sampling, the maximum and the scale are built here
// on top of them. Evaluators are plain values made for one computation.
class CurvatureEvaluator {
public:
    // What a comb is meant to show. Stored and reported only: no evaluation
    // of this library reads it.
    enum EMode {
        kSpatial = 0,  // the curvature of the curve in space
        kViewPlane = 1 // the curvature of the curve as seen along the view direction
    };

    // A (parameter, integral value) pair of a running integral.
    using IntegralPoint = std::pair<double, double>;

    CurvatureEvaluator() = default;
    CurvatureEvaluator(const CurvatureEvaluator&) = default;
    CurvatureEvaluator& operator=(const CurvatureEvaluator&) = default;
    virtual ~CurvatureEvaluator() = default;

    EMode mode() const { return m_mode; }
    // False when unchanged; otherwise stores the mode and calls onModeChanged.
    bool mode(EMode mode);
    const ZkGeVector3d& viewDirection() const { return m_viewDirection; }
    // False when equal to the stored direction within 1e-6; otherwise stores
    // it and calls onViewDirectionChanged.
    bool viewDirection(const ZkGeVector3d& direction);

    // The point and the first two derivatives at t.
    virtual bool evaluate(double t, ZkGePoint3d& point, ZkGeVector3d& firstDeriv,
                          ZkGeVector3d& secondDeriv) const;
    // The point, the first derivative and the curvature vector at t: the
    // vector points from the curve to the centre of curvature and is as
    // long as the curvature; zero where the curve runs straight.
    virtual bool evaluateCurvature(double t, ZkGePoint3d& point, ZkGeVector3d& tangent,
                                   ZkGeVector3d& curvature) const;
    virtual bool paramRange(double& t0, double& t1) const;
    virtual bool periodic() const;
    virtual bool update(void* data);
    // n parameters spread so that consecutive ones enclose equal amounts of
    // the integral of the square root of the curvature, first and last
    // parameter of the curve included. Fails where a straight stretch would
    // receive a parameter.
    virtual bool sample(unsigned int n, std::set<double>& params) const;
    // n evenly spaced parameters, ends included, each mapped to the square
    // root of the curvature there; parameters that cannot be evaluated are
    // left out.
    virtual bool sample(unsigned int n, std::map<double, double>& values) const;
    // The comb scale that makes the longest spine a quarter of the largest
    // extent of the curve's box; 10 when there is no box or no curvature.
    virtual double calcDefaultScaleRatio() const;
    // The largest curvature among 100 evenly spaced parameters.
    virtual double maxCurvature() const;
    virtual bool curveBoundingBox(ZkGeBoundBlock3d& box) const;

    // The running trapezoid integral of `samples` over their parameters,
    // starting at 0 at the first one. False for no samples.
    static bool calcIntegral(const std::map<double, double>& samples,
                             std::map<double, double>& integral);
    // The first consecutive pair of `integral` that encloses `target` or has
    // an end within 0.0001 of it.
    static bool findSection(const std::map<double, double>& integral, double target,
                            IntegralPoint& lo, IntegralPoint& hi);
    // n parameters at equal steps of the integral, found by linear
    // interpolation inside the enclosing section; the first and the last
    // parameter of the integral always included. Fails on a section whose
    // integral grows by no more than 0.0001.
    static bool doInterpolation(unsigned int n, const std::map<double, double>& integral,
                                std::set<double>& params);

protected:
    // The curvature vector from the first two derivatives; see
    // evaluateCurvature. False when the first derivative vanishes.
    static bool curvatureVector(const ZkGeVector3d& firstDeriv, const ZkGeVector3d& secondDeriv,
                                ZkGeVector3d& curvature);

private:
    virtual void onModeChanged() {}
    virtual void onViewDirectionChanged() {}

    EMode m_mode = kSpatial;
    ZkGeVector3d m_viewDirection;
};

} // namespace Kv::Geometry
