#include "ZkGeParamSearch.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// Only the lowest few sampled valleys are refined: a constant function makes
// every sample a valley, and refining them all would buy nothing.
constexpr int kMaxCandidates = 8;

double paramEps(double a, double b) {
    return 4.0 * std::numeric_limits<double>::epsilon() * std::max({1.0, std::abs(a), std::abs(b)});
}

std::vector<double> evenParams(double lower, double upper, int numSample) {
    const int n = std::max(numSample, 2);
    std::vector<double> params(n + 1);
    for (int i = 0; i <= n; ++i)
        params[i] = lower + (upper - lower) * i / n;
    params[n] = upper; // exactly, whatever the rounding above
    return params;
}

// Indices of the sampled local minima, lowest first.
std::vector<int> valleys(const std::vector<double>& values) {
    const int last = static_cast<int>(values.size()) - 1;
    std::vector<int> found;
    for (int i = 0; i <= last; ++i) {
        const bool belowLeft = i == 0 || values[i] <= values[i - 1];
        const bool belowRight = i == last || values[i] <= values[i + 1];
        if (belowLeft && belowRight)
            found.push_back(i);
    }
    std::stable_sort(found.begin(), found.end(),
                     [&](int a, int b) { return values[a] < values[b]; });
    if (found.size() > static_cast<size_t>(kMaxCandidates))
        found.resize(kMaxCandidates);
    return found;
}

} // namespace

ZkGeParamSearch::Sample ZkGeParamSearch::halfSquaredDistance(const ZkGeVector3d& offset,
                                                             const ZkGeVector3d& d1,
                                                             const ZkGeVector3d& d2) {
    return {0.5 * offset.lengthSqrd(), offset.dotProduct(d1),
            d1.lengthSqrd() + offset.dotProduct(d2)};
}

ZkGeParamSearch::Sample ZkGeParamSearch::halfSquaredDistance(const ZkGeVector2d& offset,
                                                             const ZkGeVector2d& d1,
                                                             const ZkGeVector2d& d2) {
    return {0.5 * offset.lengthSqrd(), offset.dotProduct(d1),
            d1.lengthSqrd() + offset.dotProduct(d2)};
}

double ZkGeParamSearch::minimize(const Function& f, double lower, double upper, int numSample) {
    if (!(upper > lower))
        return lower;
    const std::vector<double> params = evenParams(lower, upper, numSample);
    std::vector<double> values(params.size());
    for (size_t i = 0; i < params.size(); ++i)
        values[i] = f(params[i]).value;

    const int last = static_cast<int>(params.size()) - 1;
    double bestParam = lower;
    double bestValue = std::numeric_limits<double>::infinity();
    for (const int i : valleys(values)) {
        // The sampled valley brackets the minimum; the slope tells which side
        // of each trial the minimum lies on, so the bracket only shrinks and
        // a Newton step that leaves it is replaced by bisection.
        double a = params[std::max(i - 1, 0)];
        double b = params[std::min(i + 1, last)];
        double x = params[i];
        for (int iter = 0; iter < 100; ++iter) {
            const Sample s = f(x);
            if (s.slope > 0.0)
                b = x;
            else if (s.slope < 0.0)
                a = x;
            else
                break;
            double next = s.curvature > 0.0 ? x - s.slope / s.curvature : a - 1.0;
            if (!(next > a && next < b))
                next = 0.5 * (a + b);
            const bool settled = std::abs(next - x) <= paramEps(a, b) || b - a <= paramEps(a, b);
            x = next;
            if (settled)
                break;
        }
        const double value = f(x).value;
        if (value < bestValue) {
            bestValue = value;
            bestParam = x;
        }
        if (values[i] < bestValue) {
            bestValue = values[i];
            bestParam = params[i];
        }
    }
    return bestParam;
}

double ZkGeParamSearch::minimizeValue(const std::function<double(double)>& f, double lower,
                                      double upper, int numSample) {
    if (!(upper > lower))
        return lower;
    const std::vector<double> params = evenParams(lower, upper, numSample);
    std::vector<double> values(params.size());
    for (size_t i = 0; i < params.size(); ++i)
        values[i] = f(params[i]);

    const int last = static_cast<int>(params.size()) - 1;
    const double ratio = 0.5 * (std::sqrt(5.0) - 1.0);
    double bestParam = lower;
    double bestValue = std::numeric_limits<double>::infinity();
    for (const int i : valleys(values)) {
        if (values[i] < bestValue) {
            bestValue = values[i];
            bestParam = params[i];
        }
        double a = params[std::max(i - 1, 0)];
        double b = params[std::min(i + 1, last)];
        double x1 = b - ratio * (b - a);
        double x2 = a + ratio * (b - a);
        double f1 = f(x1);
        double f2 = f(x2);
        for (int iter = 0; iter < 200 && b - a > paramEps(a, b); ++iter) {
            if (f1 <= f2) {
                b = x2;
                x2 = x1;
                f2 = f1;
                x1 = b - ratio * (b - a);
                f1 = f(x1);
            } else {
                a = x1;
                x1 = x2;
                f1 = f2;
                x2 = a + ratio * (b - a);
                f2 = f(x2);
            }
        }
        const double x = f1 <= f2 ? x1 : x2;
        const double value = std::min(f1, f2);
        if (value < bestValue) {
            bestValue = value;
            bestParam = x;
        }
    }
    return bestParam;
}
