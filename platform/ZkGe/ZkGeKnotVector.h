#pragma once

#include "ZkArray.h"

#include <cstddef>
#include <initializer_list>
#include <vector>

// The non-decreasing knot sequence of a B-spline. Knots closer than
// tolerance() count as one knot of higher multiplicity, so parameters that
// arrive through arithmetic still land on the knot they were meant to hit.
class ZkGeKnotVector {
public:
    static constexpr double kDefaultTolerance = 1e-10;

    explicit ZkGeKnotVector(double tolerance = kDefaultTolerance)
        : m_tolerance(tolerance) {}
    // Out-of-order knots are sorted: the order carries no meaning of its own.
    explicit ZkGeKnotVector(std::vector<double> knots, double tolerance = kDefaultTolerance);
    ZkGeKnotVector(std::initializer_list<double> knots)
        : ZkGeKnotVector(std::vector<double>(knots)) {}

    // Clamped (end knots of multiplicity degree + 1) with evenly spaced
    // interior knots over [start, end].
    static ZkGeKnotVector clampedUniform(int degree, int numControlPoints, double start = 0.0,
                                         double end = 1.0);
    // Clamped knots for interpolation at `params` (one per control point),
    // each interior knot the mean of `degree` consecutive parameters, which
    // keeps every basis function's support around its own parameter and the
    // collocation system well posed.
    static ZkGeKnotVector averaging(const std::vector<double>& params, int degree);
    // One period of knots for periodic interpolation at `params` (one per
    // control point, ascending within [params[0], params[0] + period)):
    // knot j is the mean of the `degree` parameters centred on parameter j,
    // taken periodically, and the knot nearest params[0] is moved onto it so
    // that the period starts there. Returns params.size() + 1 knots, the
    // last one period after the first.
    static ZkGeKnotVector periodicAveraging(const std::vector<double>& params, double period,
                                            int degree, double tolerance = kDefaultTolerance);
    // Cumulative chord lengths of a polyline, starting at 0.
    template <class Point>
    static std::vector<double> chordLengthParams(const ZkArray<Point>& points);

    int length() const { return static_cast<int>(m_knots.size()); }
    bool isEmpty() const { return m_knots.empty(); }
    double operator[](int i) const { return m_knots[static_cast<std::size_t>(i)]; }
    double at(int i) const { return m_knots.at(static_cast<std::size_t>(i)); }
    // First and last knot. A curve's own range starts degree knots further
    // in; see ZkGeNurbCurve3d::getInterval.
    double startParam() const { return m_knots.front(); }
    double endParam() const { return m_knots.back(); }
    double tolerance() const { return m_tolerance; }
    void setTolerance(double tolerance) { m_tolerance = tolerance; }
    const std::vector<double>& asStdVector() const { return m_knots; }

    // How many knots lie within tolerance of knot `index`.
    int multiplicityAt(int index) const;
    // Whether some knot lies within tolerance of param.
    bool contains(double param) const;
    // Index of a knot within tolerance of param, or -1.
    int indexOf(double param) const;
    int numDistinct() const;

    // Both refuse (and return false) when the knots would fall out of order.
    bool insertAt(int index, double knot, int multiplicity = 1);
    bool append(double knot, int multiplicity = 1);

    // Index k of the knot span [k, k + 1] that evaluates param for a spline
    // of this degree, always a non-empty span of the curve's range
    // [degree, length() - degree - 1]: parameters before the range use the
    // first span and those at or after its end the last, so the end itself
    // evaluates as a limit from inside.
    int findSpan(int degree, double param) const { return findSpan(m_knots, degree, param); }
    // The same search over a bare sequence, for algorithms that grow their
    // knots in place.
    static int findSpan(const std::vector<double>& knots, int degree, double param);

    bool operator==(const ZkGeKnotVector& k) const {
        return m_knots == k.m_knots && m_tolerance == k.m_tolerance;
    }
    bool operator!=(const ZkGeKnotVector& k) const { return !(*this == k); }

private:
    std::vector<double> m_knots;
    double m_tolerance;
};

template <class Point>
std::vector<double> ZkGeKnotVector::chordLengthParams(const ZkArray<Point>& points) {
    std::vector<double> params;
    params.reserve(static_cast<std::size_t>(points.length()));
    double sum = 0.0;
    for (int i = 0; i < points.length(); ++i) {
        if (i > 0)
            sum += points[i].distanceTo(points[i - 1]);
        params.push_back(sum);
    }
    return params;
}
