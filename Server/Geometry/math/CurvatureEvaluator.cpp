#include "Geometry/math/CurvatureEvaluator.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace Kv::Geometry {

namespace {

// Uniform samples behind the adaptive parameters, and evaluations behind the
// largest curvature.
constexpr unsigned int kIntegralSamples = 64;
constexpr int kMaxCurvatureSamples = 100;
// Integral values this close count as the same; a section that grows by no
// more is straight and cannot be inverted.
constexpr double kIntegralTol = 0.0001;
// A squared first derivative this small leaves the curvature undefined.
constexpr double kMinSpeedSqrd = 1e-10;
// Below this curvature a curve counts as straight for the comb scale.
constexpr double kMinCombCurvature = 0.0001;
constexpr double kDefaultCombScale = 10.0;
// The longest spine of the default comb against the curve's largest extent.
constexpr double kCombToExtent = 0.25;
constexpr double kViewDirectionTol = 1e-6;

} // namespace

bool CurvatureEvaluator::mode(EMode mode) {
    if (mode == m_mode)
        return false;
    m_mode = mode;
    onModeChanged();
    return true;
}

bool CurvatureEvaluator::viewDirection(const ZkGeVector3d& direction) {
    ZkGeTol tol;
    tol.setEqualVector(kViewDirectionTol);
    if (direction.isEqualTo(m_viewDirection, tol))
        return false;
    m_viewDirection = direction;
    onViewDirectionChanged();
    return true;
}

bool CurvatureEvaluator::evaluate(double, ZkGePoint3d&, ZkGeVector3d&, ZkGeVector3d&) const {
    return false;
}

bool CurvatureEvaluator::evaluateCurvature(double, ZkGePoint3d&, ZkGeVector3d&,
                                           ZkGeVector3d&) const {
    return false;
}

bool CurvatureEvaluator::paramRange(double&, double&) const {
    return false;
}

bool CurvatureEvaluator::periodic() const {
    return false;
}

bool CurvatureEvaluator::update(void*) {
    return false;
}

bool CurvatureEvaluator::curveBoundingBox(ZkGeBoundBlock3d&) const {
    return false;
}

bool CurvatureEvaluator::curvatureVector(const ZkGeVector3d& firstDeriv,
                                         const ZkGeVector3d& secondDeriv, ZkGeVector3d& curvature) {
    // c2 = (T x W) x T is the part of W across T, scaled by |T|^2: it points
    // to the centre of curvature.
    const ZkGeVector3d c1 = firstDeriv.crossProduct(secondDeriv);
    const ZkGeVector3d c2 = c1.crossProduct(firstDeriv);
    if (c2.isZeroLength()) {
        curvature = ZkGeVector3d();
        return true;
    }
    const double speedSqrd = firstDeriv.lengthSqrd();
    if (speedSqrd <= kMinSpeedSqrd)
        return false;
    const double kappa = c1.length() / (std::sqrt(speedSqrd) * speedSqrd);
    curvature = c2.normal() * kappa;
    return true;
}

bool CurvatureEvaluator::sample(unsigned int n, std::map<double, double>& values) const {
    if (n == 0)
        return false;
    values.clear();
    double t0, t1;
    if (!paramRange(t0, t1))
        return false;
    // A single sample is the start of the range.
    const double step = n > 1 ? (t1 - t0) / (n - 1) : 0.0;
    for (unsigned int i = 0; i < n; ++i) {
        const double t = t0 + i * step;
        ZkGePoint3d point;
        ZkGeVector3d tangent, curvature;
        if (evaluateCurvature(t, point, tangent, curvature))
            values[t] = std::sqrt(curvature.length());
    }
    return true;
}

bool CurvatureEvaluator::sample(unsigned int n, std::set<double>& params) const {
    if (n == 0)
        return false;
    std::map<double, double> values;
    if (!sample(kIntegralSamples, values))
        return false;
    std::map<double, double> integral;
    return calcIntegral(values, integral) && doInterpolation(n, integral, params);
}

bool CurvatureEvaluator::calcIntegral(const std::map<double, double>& samples,
                                      std::map<double, double>& integral) {
    if (samples.empty())
        return false;
    integral.clear();
    auto prev = samples.begin();
    integral[prev->first] = 0.0;
    double sum = 0.0;
    for (auto cur = std::next(prev); cur != samples.end(); prev = cur++) {
        sum += (prev->second + cur->second) * std::abs(cur->first - prev->first) * 0.5;
        integral[cur->first] = sum;
    }
    return true;
}

bool CurvatureEvaluator::findSection(const std::map<double, double>& integral, double target,
                                     IntegralPoint& lo, IntegralPoint& hi) {
    if (integral.size() < 2)
        return false;
    for (auto prev = integral.begin(), cur = std::next(prev); cur != integral.end(); prev = cur++) {
        const double before = prev->second;
        const double after = cur->second;
        if (std::abs(target - before) < kIntegralTol || std::abs(after - target) < kIntegralTol ||
            (before <= target && target <= after)) {
            lo = *prev;
            hi = *cur;
            return true;
        }
    }
    return false;
}

bool CurvatureEvaluator::doInterpolation(unsigned int n, const std::map<double, double>& integral,
                                         std::set<double>& params) {
    if (integral.size() < 2 || n == 0)
        return false;
    params.clear();
    const IntegralPoint first = *integral.begin();
    const IntegralPoint last = *integral.rbegin();
    params.insert(first.first);
    if (n > 1) {
        const double step = (last.second - first.second) / (n - 1);
        for (unsigned int i = 1; i < n; ++i) {
            const double target = i * step;
            IntegralPoint lo, hi;
            if (!findSection(integral, target, lo, hi))
                continue;
            const auto [ta, ia] = lo;
            const auto [tb, ib] = hi;
            if (std::abs(ib - ia) <= kIntegralTol)
                return false;
            params.insert(std::clamp(ta + (tb - ta) * (target - ia) / (ib - ia), ta, tb));
        }
    }
    params.insert(last.first);
    return true;
}

double CurvatureEvaluator::maxCurvature() const {
    double t0, t1;
    if (!paramRange(t0, t1))
        return 0.0;
    double largestSqrd = 0.0;
    for (int i = 0; i < kMaxCurvatureSamples; ++i) {
        const double t = t0 + i * (t1 - t0) / double(kMaxCurvatureSamples - 1);
        ZkGePoint3d point;
        ZkGeVector3d tangent, curvature;
        if (evaluateCurvature(t, point, tangent, curvature))
            largestSqrd = std::max(largestSqrd, curvature.lengthSqrd());
    }
    return std::sqrt(largestSqrd);
}

double CurvatureEvaluator::calcDefaultScaleRatio() const {
    ZkGeBoundBlock3d box;
    if (!curveBoundingBox(box))
        return kDefaultCombScale;
    ZkGePoint3d base;
    ZkGeVector3d sides[3];
    box.get(base, sides[0], sides[1], sides[2]);
    const double extent = std::max({sides[0].length(), sides[1].length(), sides[2].length()});
    const double largest = maxCurvature();
    if (largest > kMinCombCurvature)
        return kCombToExtent * extent / largest;
    return kDefaultCombScale;
}

} // namespace Kv::Geometry
