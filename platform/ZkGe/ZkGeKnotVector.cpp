#include "ZkGeKnotVector.h"

#include <algorithm>
#include <cmath>

ZkGeKnotVector::ZkGeKnotVector(std::vector<double> knots, double tolerance)
    : m_knots(std::move(knots))
    , m_tolerance(tolerance) {
    std::sort(m_knots.begin(), m_knots.end());
}

ZkGeKnotVector ZkGeKnotVector::clampedUniform(int degree, int numControlPoints, double start,
                                              double end) {
    ZkGeKnotVector knots;
    const int numSpans = std::max(1, numControlPoints - degree);
    knots.m_knots.assign(static_cast<std::size_t>(degree + 1), start);
    for (int i = 1; i < numSpans; ++i)
        knots.m_knots.push_back(start + (end - start) * i / numSpans);
    knots.m_knots.insert(knots.m_knots.end(), static_cast<std::size_t>(degree + 1), end);
    return knots;
}

ZkGeKnotVector ZkGeKnotVector::averaging(const std::vector<double>& params, int degree) {
    ZkGeKnotVector knots;
    if (params.empty())
        return knots;
    const int n = static_cast<int>(params.size());
    knots.m_knots.assign(static_cast<std::size_t>(degree + 1), params.front());
    for (int j = 1; j + degree < n; ++j) {
        double sum = 0.0;
        for (int i = j; i < j + degree; ++i)
            sum += params[static_cast<std::size_t>(i)];
        knots.m_knots.push_back(sum / degree);
    }
    knots.m_knots.insert(knots.m_knots.end(), static_cast<std::size_t>(degree + 1), params.back());
    return knots;
}

ZkGeKnotVector ZkGeKnotVector::periodicAveraging(const std::vector<double>& params, double period,
                                                 int degree, double tolerance) {
    ZkGeKnotVector knots(tolerance);
    const int n = static_cast<int>(params.size());
    if (n == 0)
        return knots;
    const double start = params.front();
    // Parameter i of the endless periodic sequence.
    const auto param = [&](int i) {
        const int wraps = i >= 0 ? i / n : -((-i + n - 1) / n);
        return params[static_cast<std::size_t>(i - wraps * n)] + wraps * period;
    };
    std::vector<double> offsets; // of each knot from the start, within one period
    for (int j = 0; j < n; ++j) {
        double sum = 0.0;
        for (int i = j - (degree - 1) / 2; i < j - (degree - 1) / 2 + degree; ++i)
            sum += param(i);
        const double offset = std::fmod(sum / degree - start, period);
        offsets.push_back(offset < 0.0 ? offset + period : offset);
    }
    std::size_t nearest = 0;
    for (std::size_t j = 0; j < offsets.size(); ++j) {
        const auto gap = [&](std::size_t k) {
            return std::min(offsets[k], period - offsets[k]);
        };
        if (gap(j) < gap(nearest))
            nearest = j;
    }
    offsets[nearest] = 0.0;
    std::sort(offsets.begin(), offsets.end());
    for (const double offset : offsets)
        knots.m_knots.push_back(start + offset);
    knots.m_knots.push_back(start + period);
    return knots;
}

int ZkGeKnotVector::multiplicityAt(int index) const {
    const double knot = m_knots.at(static_cast<std::size_t>(index));
    // Sorted, so the equal knots are the neighbours on either side.
    int lo = index;
    int hi = index;
    while (lo > 0 && knot - m_knots[static_cast<std::size_t>(lo - 1)] <= m_tolerance)
        --lo;
    while (hi + 1 < length() && m_knots[static_cast<std::size_t>(hi + 1)] - knot <= m_tolerance)
        ++hi;
    return hi - lo + 1;
}

bool ZkGeKnotVector::contains(double param) const {
    return indexOf(param) >= 0;
}

int ZkGeKnotVector::indexOf(double param) const {
    // The knots are sorted, so only the neighbours of the insertion point
    // can be within tolerance.
    const auto it = std::lower_bound(m_knots.begin(), m_knots.end(), param - m_tolerance);
    if (it != m_knots.end() && std::abs(*it - param) <= m_tolerance)
        return static_cast<int>(it - m_knots.begin());
    return -1;
}

int ZkGeKnotVector::numDistinct() const {
    int count = 0;
    for (size_t i = 0; i < m_knots.size(); ++i) {
        if (i == 0 || m_knots[i] - m_knots[i - 1] > m_tolerance)
            ++count;
    }
    return count;
}

bool ZkGeKnotVector::insertAt(int index, double knot, int multiplicity) {
    if (index < 0 || index > length() || multiplicity < 1)
        return false;
    if (index > 0 && knot < m_knots[static_cast<std::size_t>(index - 1)])
        return false;
    if (index < length() && knot > m_knots[static_cast<std::size_t>(index)])
        return false;
    m_knots.insert(m_knots.begin() + index, static_cast<std::size_t>(multiplicity), knot);
    return true;
}

bool ZkGeKnotVector::append(double knot, int multiplicity) {
    return insertAt(length(), knot, multiplicity);
}

int ZkGeKnotVector::findSpan(const std::vector<double>& knots, int degree, double param) {
    const int numControl = static_cast<int>(knots.size()) - degree - 1;
    const int first = degree;
    const int last = numControl - 1;
    if (last < first)
        return first;
    const auto begin = knots.begin();
    // The last knot <= param among U[first..last]; std::upper_bound is the
    // binary search.
    int span =
        static_cast<int>(std::upper_bound(begin + first, begin + last + 1, param) - begin) - 1;
    span = std::clamp(span, first, last);
    // Repeated knots leave empty spans, which cannot evaluate anything; step
    // to the neighbouring non-empty span on the side the parameter lies.
    const auto at = [&](int i) {
        return knots[static_cast<std::size_t>(i)];
    };
    while (span > first && at(span) == at(span + 1))
        --span;
    while (span < last && at(span) == at(span + 1))
        ++span;
    return span;
}
