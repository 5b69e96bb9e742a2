#pragma once

#include "ZkGeVector2d.h"
#include "ZkGeVector3d.h"

#include <functional>

// Finds where a smooth function of a curve parameter is smallest, for the
// nearest-point queries of curves that have no closed form for them.
class ZkGeParamSearch {
public:
    // The function's value and its first two derivatives at one parameter.
    struct Sample {
        double value = 0.0;
        double slope = 0.0;
        double curvature = 0.0;
    };
    using Function = std::function<Sample(double)>;

    // Half the squared length of `offset` from a fixed point to the curve,
    // given the curve's first two derivatives: the function the nearest-point
    // searches minimise. Half, so that its slope is offset . d1.
    static Sample halfSquaredDistance(const ZkGeVector3d& offset, const ZkGeVector3d& d1,
                                      const ZkGeVector3d& d2);
    static Sample halfSquaredDistance(const ZkGeVector2d& offset, const ZkGeVector2d& d1,
                                      const ZkGeVector2d& d2);

    // The parameter in [lower, upper] where f is smallest. f is sampled at
    // numSample + 1 evenly spaced parameters, ends included, so a valley
    // narrower than the spacing can be missed; the best sampled valleys are
    // then refined by Newton steps on the slope, kept inside their bracket.
    static double minimize(const Function& f, double lower, double upper, int numSample = 64);
    // The same for a function known only by its values: golden-section
    // refinement instead of Newton. Slower, but f need not be smooth.
    static double minimizeValue(const std::function<double(double)>& f, double lower, double upper,
                                int numSample = 32);
};
