#pragma once

#include "ZkArray.h"
#include "ZkGeContext.h"
#include "ZkGeKnotVector.h"
#include "ZkGeNurbsSystem.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

// The NURBS data and algorithms behind ZkGeNurbCurve3d and ZkGeNurbCurve2d,
// written once over the point and vector types of the space (both index their
// coordinates with operator[]). The curve classes document the behaviour;
// the notes here are about how it is done.
//
// A periodic curve is stored compactly: n control points and the n + 1 knots
// of one period, t0 .. tn. For evaluation, searching and splitting both are
// unrolled into an ordinary B-spline (the cache below) whose knots run on
// periodically and whose last `degree` control points repeat the first ones,
// so every algorithm but periodic knot insertion sees one kind of spline.
template <class Point, class Vector, int Dim> class ZkGeNurbsCore {
public:
    // A control point in homogeneous form: (w x, w y, [w z,] w).
    using Hom = std::array<double, Dim + 1>;

    ZkGeNurbsCore() = default;

    // ---- definition data

    bool setDefinition(int degree, const ZkGeKnotVector& knots, const ZkArray<Point>& controlPoints,
                       const ZkArray<double>& weights, bool periodic) {
        if (!isValidDefinition(degree, knots, controlPoints, weights, periodic))
            return false;
        m_degree = degree;
        m_knots = knots;
        m_points = controlPoints;
        m_weights = weights;
        m_periodic = periodic;
        rebuild();
        return true;
    }

    static bool isValidDefinition(int degree, const ZkGeKnotVector& knots,
                                  const ZkArray<Point>& points, const ZkArray<double>& weights,
                                  bool periodic) {
        const int n = points.length();
        if (degree < 1 || (!weights.isEmpty() && weights.length() != n))
            return false;
        for (const double w : weights) {
            if (!(w > 0.0) || !std::isfinite(w))
                return false;
        }
        for (int i = 1; i < knots.length(); ++i) {
            if (!(knots[i] >= knots[i - 1]) || !std::isfinite(knots[i]))
                return false;
        }
        if (periodic) {
            if (n < 2 || knots.length() != n + 1 || !(knots[n] > knots[0]))
                return false;
            // A knot repeated more than degree times would tear the curve;
            // t0 and tn are the same knot, so their runs add up.
            for (int i = 1; i < n; ++i) {
                if (knots.multiplicityAt(i) > degree)
                    return false;
            }
            return knots.multiplicityAt(0) + knots.multiplicityAt(n) - 1 <= degree;
        }
        if (n < degree + 1 || knots.length() != n + degree + 1)
            return false;
        if (!(knots[n] > knots[degree]))
            return false;
        for (int i = degree + 1; i < n; ++i) {
            if (knots.multiplicityAt(i) > degree)
                return false;
        }
        return true;
    }

    void clearDefinition() {
        m_degree = 3;
        m_knots = ZkGeKnotVector();
        m_points.removeAll();
        m_weights.removeAll();
        m_periodic = false;
        rebuild();
    }

    bool isEmpty() const { return m_points.isEmpty(); }
    int degree() const { return m_degree; }
    bool isRational() const { return !m_weights.isEmpty(); }
    bool isPeriodic() const { return m_periodic; }
    const ZkGeKnotVector& knots() const { return m_knots; }
    const ZkArray<Point>& controlPoints() const { return m_points; }
    const ZkArray<double>& weights() const { return m_weights; }
    double weightAt(int i) const { return isRational() ? m_weights[i] : 1.0; }
    double period() const { return m_periodic ? m_knots.endParam() - m_knots.startParam() : 0.0; }

    bool setControlPointAt(int i, const Point& point) {
        if (i < 0 || i >= m_points.length())
            return false;
        m_points[i] = point;
        rebuild();
        return true;
    }
    bool setWeightAt(int i, double weight) {
        if (i < 0 || i >= m_points.length() || !(weight > 0.0) || !std::isfinite(weight))
            return false;
        if (!isRational())
            m_weights = filled(m_points.length(), 1.0);
        m_weights[i] = weight;
        rebuild();
        return true;
    }

    double startParam() const { return isEmpty() ? 0.0 : at(m_u, m_degree); }
    double endParam() const { return isEmpty() ? 0.0 : at(m_u, numExpanded()); }

    // ---- evaluation

    Point evaluate(double u, int numDeriv, std::vector<Vector>* derivs) const {
        if (derivs)
            derivs->assign(static_cast<std::size_t>(std::max(numDeriv, 0)), Vector());
        if (isEmpty())
            return Point();
        const int order = derivs ? std::max(numDeriv, 0) : 0;
        std::array<Hom, 4> small;
        std::vector<Hom> large(order < 4 ? 0 : static_cast<std::size_t>(order + 1));
        Hom* ck = order < 4 ? small.data() : large.data();
        evaluateHom(wrap(u), order, ck);
        for (int k = 1; k <= order; ++k)
            (*derivs)[static_cast<std::size_t>(k - 1)] = toVector(ck[k]);
        return toPoint(ck[0]);
    }
    Point evalPoint(double u) const { return evaluate(u, 0, nullptr); }

    // The parameter in [start, end] (in [start, end) when periodic) of the
    // point nearest q. Dense sampling finds the candidate valleys of the
    // distance, since a curve may pass near q several times; Newton's method
    // on (C - q) . C' = 0 then polishes the best few.
    double closestParam(const Point& q) const {
        if (isEmpty())
            return 0.0;
        const double a = startParam();
        const double b = endParam();
        const int perSpan = 2 * m_degree + 2;
        std::vector<double> ts;
        for (int k = m_degree; k < numExpanded(); ++k) {
            const double lo = at(m_u, k);
            const double hi = at(m_u, k + 1);
            if (hi <= lo)
                continue;
            for (int s = 0; s < perSpan; ++s)
                ts.push_back(lo + (hi - lo) * s / perSpan);
        }
        ts.push_back(b);
        std::vector<double> d(ts.size());
        for (std::size_t i = 0; i < ts.size(); ++i)
            d[i] = distance2(evalPoint(ts[i]), q);

        std::vector<std::size_t> valleys;
        const std::size_t count = ts.size();
        for (std::size_t i = 0; i < count; ++i) {
            const bool leftOk = i == 0 ? !m_periodic || d[i] <= d[count - 2] : d[i] <= d[i - 1];
            const bool rightOk = i + 1 == count ? !m_periodic || d[i] <= d[1] : d[i] <= d[i + 1];
            if (leftOk && rightOk)
                valleys.push_back(i);
        }
        const std::size_t maxCandidates = 6;
        if (valleys.size() > maxCandidates) {
            std::partial_sort(valleys.begin(), valleys.begin() + maxCandidates, valleys.end(),
                              [&](std::size_t i, std::size_t j) { return d[i] < d[j]; });
            valleys.resize(maxCandidates);
        }
        double bestParam = ts[0];
        double bestDist = d[0];
        for (const std::size_t i : valleys) {
            double dist = d[i];
            const double t = polish(q, ts[i], dist);
            if (dist < bestDist) {
                bestDist = dist;
                bestParam = t;
            }
        }
        if (m_periodic && bestParam >= b)
            bestParam = a;
        return bestParam;
    }

    // Arc length over [from, to] to the relative tolerance tol, integrating
    // the speed with adaptive Gauss-Legendre quadrature piece by piece
    // between knots, where the speed is smooth.
    double length(double from, double to, double tol) const {
        if (isEmpty() || from == to)
            return 0.0;
        if (!std::isfinite(from) || !std::isfinite(to))
            return std::numeric_limits<double>::infinity();
        if (from > to)
            std::swap(from, to);
        std::vector<double> breaks{from};
        if (m_periodic) {
            const double per = period();
            const int n = m_points.length();
            for (int i = 0; i < n; ++i) {
                const double t = m_knots[i];
                for (double k = std::ceil((from - t) / per); t + k * per < to; k += 1.0) {
                    if (t + k * per > from)
                        breaks.push_back(t + k * per);
                }
            }
        } else {
            for (const double t : m_u) {
                if (t > from && t < to)
                    breaks.push_back(t);
            }
        }
        breaks.push_back(to);
        std::sort(breaks.begin(), breaks.end());
        breaks.erase(std::unique(breaks.begin(), breaks.end()), breaks.end());
        // Rounding noise in the speed, relative to the size of the control
        // points rather than to the length, can never settle below these.
        const double relTol = std::max(tol, 1e-13);
        double scale = 0.0;
        for (const Point& p : m_points) {
            for (int c = 0; c < Dim; ++c)
                scale = std::max(scale, std::abs(p[c]));
        }
        const double noise = 1e-13 * scale / (to - from);
        double sum = 0.0;
        for (std::size_t i = 0; i + 1 < breaks.size(); ++i) {
            const double lo = breaks[i];
            const double hi = breaks[i + 1];
            sum += adaptiveLength(lo, hi, gauss(lo, hi), relTol, noise, 0);
        }
        return sum;
    }

    // ---- knot insertion and splitting

    // Inserts param once without changing the curve. Refused outside the
    // range and where the knot already has multiplicity degree.
    bool insertKnot(double param) {
        if (isEmpty())
            return false;
        if (m_periodic)
            return insertPeriodicKnot(param);
        if (param < startParam() || param > endParam())
            return false;
        Spline s = expanded();
        const double u = snap(s.knots, param);
        if (count(s.knots, u) >= m_degree)
            return false;
        insertOnce(s, u);
        assign(s);
        return true;
    }

    // The pieces before and after param, each clamped and keeping the
    // parameters of the whole; a piece is absent when param is at or beyond
    // that end. A fitted curve hands its fit data on: each piece keeps the
    // fit points on its side and the end tangent of its own end, and the
    // split point becomes the end of one and the start of the other.
    void split(double param, std::optional<ZkGeNurbsCore>& before,
               std::optional<ZkGeNurbsCore>& after) const {
        before.reset();
        after.reset();
        if (isEmpty())
            return;
        const double tol = m_knots.tolerance();
        if (param <= startParam() + tol) {
            after = *this;
            return;
        }
        if (param >= endParam() - tol) {
            before = *this;
            return;
        }
        const Spline whole = leftOf(rightOf(expanded(), startParam()), endParam());
        const double u = snap(whole.knots, param);
        before.emplace();
        before->assign(leftOf(whole, u), isRational());
        after.emplace();
        after->assign(rightOf(whole, u), isRational());
        if (m_hasFit)
            splitFitData(u, *before, *after);
    }

    // ---- whole-curve queries

    // The box of the control points: a NURBS with positive weights lies in
    // their convex hull.
    bool getBounds(Point& lo, Point& hi) const {
        if (isEmpty())
            return false;
        lo = hi = m_points[0];
        for (const Point& p : m_points) {
            for (int c = 0; c < Dim; ++c) {
                lo[c] = std::min(lo[c], p[c]);
                hi[c] = std::max(hi[c], p[c]);
            }
        }
        return true;
    }

    // Control points all within tol of the first, or a control polygon (an
    // upper bound of the length) shorter than tol: the curve is a point.
    bool isDegenerate(const ZkGeTol& tol) const {
        if (isEmpty())
            return true;
        bool coincident = true;
        double polygon = 0.0;
        for (int i = 1; i < m_points.length(); ++i) {
            coincident = coincident && m_points[i].isEqualTo(m_points[0], tol);
            polygon += m_points[i].distanceTo(m_points[i - 1]);
        }
        return coincident || polygon <= tol.equalPoint();
    }

    bool isEqualTo(const ZkGeNurbsCore& o, const ZkGeTol& tol) const {
        if (m_degree != o.m_degree || m_periodic != o.m_periodic ||
            m_points.length() != o.m_points.length() || m_knots.length() != o.m_knots.length())
            return false;
        for (int i = 0; i < m_knots.length(); ++i) {
            if (std::abs(m_knots[i] - o.m_knots[i]) > tol.equalPoint())
                return false;
        }
        for (int i = 0; i < m_points.length(); ++i) {
            if (!m_points[i].isEqualTo(o.m_points[i], tol) ||
                std::abs(weightAt(i) - o.weightAt(i)) > tol.equalVector())
                return false;
        }
        return true;
    }

    // Applies an affine map to the control points and the fit data. Affine
    // maps commute with the rational basis, so the curve is mapped exactly;
    // the fit points stay on it and the tangents stay its end derivatives.
    template <class PointMap, class VectorMap>
    void transform(PointMap mapPoint, VectorMap mapVector) {
        for (Point& p : m_points)
            mapPoint(p);
        for (Point& p : m_fitPoints)
            mapPoint(p);
        mapVector(m_startTangent);
        mapVector(m_endTangent);
        rebuild();
    }

    // ---- fit data

    bool hasFitData() const { return m_hasFit; }
    const ZkArray<Point>& fitPoints() const { return m_fitPoints; }
    const ZkGeTol& fitTolerance() const { return m_fitTol; }
    bool hasStartTangent() const { return m_hasStartTangent; }
    bool hasEndTangent() const { return m_hasEndTangent; }
    const Vector& startTangent() const { return m_startTangent; }
    const Vector& endTangent() const { return m_endTangent; }

    // A derivative the interpolation meets at one fit point: the first
    // (order 1) or second (order 2) derivative with respect to the
    // chord-length parameter.
    struct FitDerivative {
        int index = 0;
        int order = 1;
        Vector value;
    };

    // A zero tangent leaves its end free.
    void setFitData(const ZkArray<Point>& points, const ZkGeTol& tol, const Vector& start,
                    const Vector& end) {
        m_hasFit = true;
        m_fitPoints = points;
        m_fitTol = tol;
        setTangents(start, end);
        refit();
    }
    // Interpolates `points` (closed: back to the first, which is not
    // repeated) meeting every derivative given. The fit data kept are the
    // points, with the first repeated at the end when closed, and the first
    // derivatives at the ends of an open curve as its end tangents; a later
    // refit knows nothing of the other derivatives. False, with nothing
    // changed, for a derivative of another order or index, fewer than two
    // points, or conditions no cubic can meet.
    bool setFitData(const ZkArray<Point>& points, const std::vector<FitDerivative>& derivatives,
                    bool closed, const ZkGeTol& tol) {
        if (points.length() < 2)
            return false;
        ZkGeNurbsCore fitted;
        fitted.m_fitTol = tol;
        for (const FitDerivative& d : derivatives) {
            if (d.index < 0 || d.index >= points.length() || d.order < 1 || d.order > 2)
                return false;
            if (!closed && d.order == 1 && d.index == 0)
                fitted.m_startTangent = d.value;
            if (!closed && d.order == 1 && d.index == points.length() - 1)
                fitted.m_endTangent = d.value;
        }
        fitted.m_hasFit = true;
        fitted.m_fitPoints = points;
        if (closed)
            fitted.m_fitPoints.append(points.first());
        fitted.setTangents(fitted.m_startTangent, fitted.m_endTangent);
        if (!fitted.interpolate(fitted.m_fitPoints, derivatives, closed))
            return false;
        *this = std::move(fitted);
        return true;
    }
    // Fit data kept with this very curve, as storage gives them back: taken
    // as they are, without refitting, so the curve stays exactly as it was.
    void restoreFitData(const ZkArray<Point>& points, const ZkGeTol& tol, const Vector& start,
                        const Vector& end) {
        m_hasFit = true;
        m_fitPoints = points;
        m_fitTol = tol;
        setTangents(start, end);
    }
    void setFitTangents(const Vector& start, const Vector& end) {
        setTangents(start, end);
        refit();
    }
    void setFitTolerance(const ZkGeTol& tol) {
        m_fitTol = tol;
        refit();
    }
    bool setFitPointAt(int i, const Point& p) {
        if (!m_hasFit || i < 0 || i >= m_fitPoints.length())
            return false;
        m_fitPoints[i] = p;
        refit();
        return true;
    }
    // An empty curve takes its first fit point here.
    bool addFitPointAt(int i, const Point& p) {
        if ((!m_hasFit && !isEmpty()) || i < 0 || i > m_fitPoints.length())
            return false;
        m_hasFit = true;
        m_fitPoints.insertAt(i, p);
        refit();
        return true;
    }
    bool removeFitPointAt(int i) {
        if (!m_hasFit || i < 0 || i >= m_fitPoints.length())
            return false;
        m_fitPoints.removeAt(i);
        refit();
        return true;
    }
    void purgeFitData() {
        m_hasFit = false;
        m_fitPoints.removeAll();
        m_fitTol = ZkGeContext::gTol;
        m_startTangent = m_endTangent = Vector();
        m_hasStartTangent = m_hasEndTangent = false;
    }

    bool operator==(const ZkGeNurbsCore& o) const {
        return m_degree == o.m_degree && m_periodic == o.m_periodic && m_knots == o.m_knots &&
               m_points == o.m_points && m_weights == o.m_weights && m_hasFit == o.m_hasFit &&
               m_fitPoints == o.m_fitPoints && m_fitTol.equalPoint() == o.m_fitTol.equalPoint() &&
               m_fitTol.equalVector() == o.m_fitTol.equalVector() &&
               m_hasStartTangent == o.m_hasStartTangent && m_hasEndTangent == o.m_hasEndTangent &&
               m_startTangent == o.m_startTangent && m_endTangent == o.m_endTangent;
    }

private:
    // An ordinary (non-periodic) spline in homogeneous form, the working
    // representation of insertion and splitting.
    struct Spline {
        int degree = 0;
        std::vector<double> knots;
        std::vector<Hom> points;
    };

    // ---- small helpers

    static double at(const std::vector<double>& v, int i) { return v[static_cast<std::size_t>(i)]; }
    static ZkArray<double> filled(int n, double value) {
        return ZkArray<double>(std::vector<double>(static_cast<std::size_t>(n), value));
    }
    static int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
    static int mod(int a, int b) { return a - floorDiv(a, b) * b; }
    static double distance2(const Point& a, const Point& b) {
        double sum = 0.0;
        for (int c = 0; c < Dim; ++c)
            sum += (a[c] - b[c]) * (a[c] - b[c]);
        return sum;
    }
    static Point toPoint(const Hom& h) {
        Point p;
        for (int c = 0; c < Dim; ++c)
            p[c] = h[c];
        return p;
    }
    static Vector toVector(const Hom& h) {
        Vector v;
        for (int c = 0; c < Dim; ++c)
            v[c] = h[c];
        return v;
    }
    static Hom lerp(double alpha, const Hom& a, const Hom& b) { // alpha a + (1 - alpha) b
        Hom r;
        for (int c = 0; c <= Dim; ++c)
            r[c] = alpha * a[c] + (1.0 - alpha) * b[c];
        return r;
    }
    Hom homAt(int i) const {
        const double w = weightAt(i);
        Hom h;
        for (int c = 0; c < Dim; ++c)
            h[c] = m_points[i][c] * w;
        h[Dim] = w;
        return h;
    }
    int numExpanded() const { return static_cast<int>(m_pw.size()); }

    // Knot i of the periodic sequence that repeats the compact knots.
    double tau(int i) const {
        const int n = m_points.length();
        const int q = floorDiv(i, n);
        return m_knots[i - q * n] + q * period();
    }

    // Periodic parameters outside the range come back into it; the end of
    // the range itself stays, so it evaluates as the limit from below.
    double wrap(double u) const {
        if (!m_periodic)
            return u;
        const double a = startParam();
        const double b = endParam();
        if (u >= a && u <= b)
            return u;
        double w = a + std::fmod(u - a, b - a);
        if (w < a)
            w += b - a;
        return w;
    }

    void rebuild() {
        m_u.clear();
        m_pw.clear();
        const int n = m_points.length();
        if (n == 0)
            return;
        if (!m_periodic) {
            m_u = m_knots.asStdVector();
            for (int i = 0; i < n; ++i)
                m_pw.push_back(homAt(i));
            return;
        }
        const int p = m_degree;
        for (int j = 0; j <= n + 2 * p; ++j)
            m_u.push_back(tau(j - p));
        for (int j = 0; j < n + p; ++j)
            m_pw.push_back(homAt(j % n));
    }

    Spline expanded() const { return Spline{m_degree, m_u, m_pw}; }

    // Takes an ordinary clamped spline as the new non-periodic definition.
    void assign(const Spline& s, bool rational) {
        m_degree = s.degree;
        m_periodic = false;
        m_knots = ZkGeKnotVector(s.knots, m_knots.tolerance());
        m_points.removeAll();
        m_weights.removeAll();
        for (const Hom& h : s.points) {
            // Without weights the homogeneous coordinate is 1 in exact
            // arithmetic; dividing by its rounded value would only add noise.
            const double w = rational ? h[Dim] : 1.0;
            Point p;
            for (int c = 0; c < Dim; ++c)
                p[c] = h[c] / w;
            m_points.append(p);
            if (rational)
                m_weights.append(h[Dim]);
        }
        rebuild();
    }
    void assign(const Spline& s) { assign(s, isRational()); }

    // ---- basis functions

    // Values and first n derivatives (n <= degree) of the degree + 1 basis
    // functions non-zero on span k, by the Cox-de Boor recurrence with the
    // derivative formulas of de Boor: d(r, j) is the r-th derivative of basis
    // function k - degree + j. The buffers are reused from call to call, as
    // evaluation sits in the inner loop of every search and integral.
    class BasisTable {
    public:
        void compute(const std::vector<double>& U, int p, int k, double u, int n) {
            m_p = p;
            const std::size_t w = static_cast<std::size_t>(p + 1);
            m_ndu.resize(w * w);
            m_left.resize(w);
            m_right.resize(w);
            m_a.resize(2 * w);
            m_ders.assign(static_cast<std::size_t>(n + 1) * w, 0.0);
            ndu(0, 0) = 1.0;
            for (int j = 1; j <= p; ++j) {
                left(j) = u - at(U, k + 1 - j);
                right(j) = at(U, k + j) - u;
                double saved = 0.0;
                for (int r = 0; r < j; ++r) {
                    ndu(j, r) = right(r + 1) + left(j - r);
                    const double temp = ndu(r, j - 1) / ndu(j, r);
                    ndu(r, j) = saved + right(r + 1) * temp;
                    saved = left(j - r) * temp;
                }
                ndu(j, j) = saved;
            }
            for (int j = 0; j <= p; ++j)
                der(0, j) = ndu(j, p);
            for (int r = 0; r <= p && n > 0; ++r) {
                int s1 = 0;
                int s2 = 1;
                a(0, 0) = 1.0;
                for (int kk = 1; kk <= n; ++kk) {
                    double sum = 0.0;
                    const int rk = r - kk;
                    const int pk = p - kk;
                    if (r >= kk) {
                        a(s2, 0) = a(s1, 0) / ndu(pk + 1, rk);
                        sum = a(s2, 0) * ndu(rk, pk);
                    }
                    const int j1 = rk >= -1 ? 1 : -rk;
                    const int j2 = r - 1 <= pk ? kk - 1 : p - r;
                    for (int j = j1; j <= j2; ++j) {
                        a(s2, j) = (a(s1, j) - a(s1, j - 1)) / ndu(pk + 1, rk + j);
                        sum += a(s2, j) * ndu(rk + j, pk);
                    }
                    if (r <= pk) {
                        a(s2, kk) = -a(s1, kk - 1) / ndu(pk + 1, r);
                        sum += a(s2, kk) * ndu(r, pk);
                    }
                    der(kk, r) = sum;
                    std::swap(s1, s2);
                }
            }
            double factor = p;
            for (int kk = 1; kk <= n; ++kk) {
                for (int j = 0; j <= p; ++j)
                    der(kk, j) *= factor;
                factor *= p - kk;
            }
        }
        double d(int r, int j) const { return m_ders[index(r, j)]; }

    private:
        std::size_t index(int i, int j) const {
            return static_cast<std::size_t>(i) * static_cast<std::size_t>(m_p + 1) +
                   static_cast<std::size_t>(j);
        }
        double& ndu(int i, int j) { return m_ndu[index(i, j)]; }
        double& a(int i, int j) { return m_a[index(i, j)]; }
        double& der(int r, int j) { return m_ders[index(r, j)]; }
        double& left(int j) { return m_left[static_cast<std::size_t>(j)]; }
        double& right(int j) { return m_right[static_cast<std::size_t>(j)]; }

        int m_p = 0;
        std::vector<double> m_ndu;
        std::vector<double> m_left;
        std::vector<double> m_right;
        std::vector<double> m_a;
        std::vector<double> m_ders;
    };

    // The point and its first numDeriv derivatives into out[0 .. numDeriv].
    // Rational ones follow from the homogeneous derivatives A(k), w(k) by the
    // quotient rule C(k) = (A(k) - sum_i binom(k, i) w(i) C(k - i)) / w, done
    // in place: C(k) replaces the coordinates of A(k) and w(k) stays in the
    // last slot for the later orders.
    void evaluateHom(double u, int numDeriv, Hom* out) const {
        thread_local BasisTable basis;
        const int p = m_degree;
        const int k = ZkGeKnotVector::findSpan(m_u, p, u);
        const int nb = std::min(numDeriv, p);
        basis.compute(m_u, p, k, u, nb);
        for (int d = 0; d <= numDeriv; ++d) {
            Hom& sum = out[d];
            sum.fill(0.0);
            if (d > nb)
                continue;
            for (int j = 0; j <= p; ++j) {
                const double b = basis.d(d, j);
                const Hom& pw = m_pw[static_cast<std::size_t>(k - p + j)];
                for (int c = 0; c <= Dim; ++c)
                    sum[c] += b * pw[c];
            }
        }
        if (!isRational())
            return;
        const double w0 = out[0][Dim];
        for (int d = 0; d <= numDeriv; ++d) {
            Hom& v = out[d];
            double binom = 1.0;
            for (int i = 1; i <= d; ++i) {
                binom = binom * (d - i + 1) / i;
                const double wi = out[i][Dim];
                const Hom& prev = out[d - i];
                for (int c = 0; c < Dim; ++c)
                    v[c] -= binom * wi * prev[c];
            }
            for (int c = 0; c < Dim; ++c)
                v[c] /= w0;
        }
    }

    // ---- closest point

    double polish(const Point& q, double t, double& dist2) const {
        const double a = startParam();
        const double b = endParam();
        const double span = b - a;
        auto keep = [&](double u) {
            if (m_periodic)
                return wrap(u);
            return std::clamp(u, a, b);
        };
        std::vector<Vector> d;
        for (int iter = 0; iter < 50; ++iter) {
            const Point c = evaluate(t, 2, &d);
            double f = 0.0;
            double fp = 0.0;
            for (int i = 0; i < Dim; ++i) {
                const double r = c[i] - q[i];
                f += d[0][i] * r;
                fp += d[1][i] * r + d[0][i] * d[0][i];
            }
            if (!(fp > 0.0))
                break;
            double step = -f / fp;
            // Halve the step until the distance does not grow, which guards
            // Newton where the distance function is not convex.
            double next = keep(t + step);
            double nextDist = distance2(evalPoint(next), q);
            for (int h = 0; h < 30 && nextDist > dist2; ++h) {
                step *= 0.5;
                next = keep(t + step);
                nextDist = distance2(evalPoint(next), q);
            }
            if (nextDist > dist2)
                break;
            const double moved = std::abs(next - t);
            t = next;
            dist2 = nextDist;
            if (moved <= 1e-15 * (1.0 + std::abs(t)) + 1e-16 * span)
                break;
        }
        return t;
    }

    // ---- length

    double speed(double u) const {
        Hom ck[2];
        evaluateHom(wrap(u), 1, ck);
        double sum = 0.0;
        for (int c = 0; c < Dim; ++c)
            sum += ck[1][c] * ck[1][c];
        return std::sqrt(sum);
    }
    double gauss(double lo, double hi) const {
        static const double x[] = {0.0, 0.5384693101056831, 0.9061798459386640};
        static const double w[] = {0.5688888888888889, 0.4786286704993665, 0.2369268850561891};
        const double mid = 0.5 * (lo + hi);
        const double half = 0.5 * (hi - lo);
        double sum = w[0] * speed(mid);
        for (int i = 1; i < 3; ++i)
            sum += w[i] * (speed(mid - half * x[i]) + speed(mid + half * x[i]));
        return sum * half;
    }
    // Halves a piece until the halves and the whole agree closely enough
    // that the halves are within relTol; pieces meeting the relative bound
    // add up to a result that meets it. The rule is exact to degree 9, so
    // halving cuts the error of a smooth speed some thousand times and the
    // halves are far better than their difference from the whole: a margin of
    // 32 still leaves a wide safety factor. `noise` is the error per unit
    // parameter that rounding alone causes.
    double adaptiveLength(double lo, double hi, double whole, double relTol, double noise,
                          int depth) const {
        const double mid = 0.5 * (lo + hi);
        const double left = gauss(lo, mid);
        const double right = gauss(mid, hi);
        const double refined = left + right;
        if (depth >= 16 || std::abs(refined - whole) <= 32 * relTol * refined + noise * (hi - lo))
            return refined;
        return adaptiveLength(lo, mid, left, relTol, noise, depth + 1) +
               adaptiveLength(mid, hi, right, relTol, noise, depth + 1);
    }

    // ---- knot insertion (Boehm)

    double snap(const std::vector<double>& knots, double u) const {
        const double tol = m_knots.tolerance();
        const auto it = std::lower_bound(knots.begin(), knots.end(), u - tol);
        if (it != knots.end() && std::abs(*it - u) <= tol)
            return *it;
        return u;
    }
    static int count(const std::vector<double>& knots, double u) {
        return static_cast<int>(std::count(knots.begin(), knots.end(), u));
    }

    // Inserts u once: the control points whose support straddles u are
    // replaced by blends of their neighbours, Q(i) = a P(i) + (1 - a) P(i-1).
    static void insertOnce(Spline& s, double u) {
        const int p = s.degree;
        const int k = ZkGeKnotVector::findSpan(s.knots, p, u);
        const int n = static_cast<int>(s.points.size());
        std::vector<Hom> q(static_cast<std::size_t>(n + 1));
        for (int i = 0; i <= n; ++i) {
            const std::size_t si = static_cast<std::size_t>(i);
            if (i <= k - p) {
                q[si] = s.points[si];
            } else if (i >= k + 1) {
                q[si] = s.points[si - 1];
            } else {
                const double alpha = (u - at(s.knots, i)) / (at(s.knots, i + p) - at(s.knots, i));
                q[si] = lerp(alpha, s.points[si], s.points[si - 1]);
            }
        }
        s.points = std::move(q);
        s.knots.insert(s.knots.begin() + k + 1, u);
    }

    // Raises the multiplicity of u to the degree, where the curve passes
    // through a single control point, and keeps what lies before or after.
    Spline leftOf(Spline s, double param) const {
        const double u = snap(s.knots, param);
        for (int m = count(s.knots, u); m < s.degree; ++m)
            insertOnce(s, u);
        const int first =
            static_cast<int>(std::lower_bound(s.knots.begin(), s.knots.end(), u) - s.knots.begin());
        Spline r{s.degree, {}, {}};
        r.points.assign(s.points.begin(), s.points.begin() + first);
        r.knots.assign(s.knots.begin(), s.knots.begin() + first);
        r.knots.insert(r.knots.end(), static_cast<std::size_t>(s.degree + 1), u);
        return r;
    }
    Spline rightOf(Spline s, double param) const {
        const double u = snap(s.knots, param);
        for (int m = count(s.knots, u); m < s.degree; ++m)
            insertOnce(s, u);
        const int last = static_cast<int>(std::upper_bound(s.knots.begin(), s.knots.end(), u) -
                                          s.knots.begin()) -
                         1;
        Spline r{s.degree, {}, {}};
        r.points.assign(s.points.begin() + (last - s.degree), s.points.end());
        r.knots.assign(static_cast<std::size_t>(s.degree + 1), u);
        r.knots.insert(r.knots.end(), s.knots.begin() + last + 1, s.knots.end());
        return r;
    }

    // Periodic insertion puts u into every period at once. Working on the
    // endless periodic sequence (knot i is tau(i), the control point of the
    // basis function starting there is P(i + degree)), one period of the
    // result is the window of n + 1 control points that starts at the first
    // one u changes; the copies of u in the neighbouring periods touch only
    // points outside that window.
    bool insertPeriodicKnot(double param) {
        const int n = m_points.length();
        const int p = m_degree;
        // With fewer control points than the degree the copies of u in
        // neighbouring periods would reach into the window.
        if (n < p)
            return false;
        const double a = m_knots.startParam();
        double u = a + std::fmod(param - a, period());
        if (u < a)
            u += period();
        std::vector<double> compact = m_knots.asStdVector();
        u = snap(compact, u);
        if (u == compact.back())
            u = compact.front();
        int c = static_cast<int>(std::upper_bound(compact.begin(), compact.begin() + n, u) -
                                 compact.begin()) -
                1;
        c = std::clamp(c, 0, n - 1);
        if (count(std::vector<double>(compact.begin(), compact.begin() + n), u) >= p)
            return false;
        auto P = [&](int i) {
            return homAt(mod(i + p, n));
        };
        std::vector<Hom> q(static_cast<std::size_t>(n + 1));
        for (int i = c - p + 1; i <= c - p + 1 + n; ++i) {
            Hom h;
            if (i <= c) {
                const double alpha = (u - tau(i)) / (tau(i + p) - tau(i));
                h = lerp(alpha, P(i), P(i - 1));
            } else {
                h = P(i - 1);
            }
            q[static_cast<std::size_t>(mod(i + p, n + 1))] = h;
        }
        compact.insert(compact.begin() + c + 1, u);
        const bool rational = isRational();
        m_knots = ZkGeKnotVector(compact, m_knots.tolerance());
        m_points.removeAll();
        m_weights.removeAll();
        for (const Hom& h : q) {
            const double w = rational ? h[Dim] : 1.0;
            Point pt;
            for (int i = 0; i < Dim; ++i)
                pt[i] = h[i] / w;
            m_points.append(pt);
            if (rational)
                m_weights.append(h[Dim]);
        }
        rebuild();
        return true;
    }

    // ---- fitting

    void setTangents(const Vector& start, const Vector& end) {
        m_hasStartTangent = !start.isZeroLength();
        m_hasEndTangent = !end.isZeroLength();
        m_startTangent = m_hasStartTangent ? start : Vector();
        m_endTangent = m_hasEndTangent ? end : Vector();
    }

    // Recomputes the curve from the fit data, with the end tangents as the
    // only derivatives; coinciding ends without tangents make a periodic
    // curve.
    void refit() {
        clearDefinition();
        if (!m_hasFit || m_fitPoints.length() < 2)
            return;
        std::vector<FitDerivative> ends;
        if (m_hasStartTangent)
            ends.push_back({0, 1, m_startTangent});
        if (m_hasEndTangent)
            ends.push_back({m_fitPoints.length() - 1, 1, m_endTangent});
        interpolate(m_fitPoints, ends, ends.empty());
    }

    // Sets the definition to the cubic through `points` that meets
    // `derivatives`. Points closer than the fit tolerance to their
    // predecessor are one point to the fit (the curve passes through both
    // anyway; their derivatives go to the first); when all coincide the curve
    // is a cubic collapsed onto them. With `periodicWhenClosed`, a last point
    // on the first closes the curve periodically if three or more distinct
    // points remain. False, leaving no curve, when the system is singular.
    bool interpolate(const ZkArray<Point>& points, const std::vector<FitDerivative>& derivatives,
                     bool periodicWhenClosed) {
        clearDefinition();
        ZkArray<Point> q;
        q.setPhysicalLength(points.length());
        std::vector<int> merged(static_cast<std::size_t>(points.length()));
        for (int i = 0; i < points.length(); ++i) {
            if (q.isEmpty() || !points[i].isEqualTo(q.last(), m_fitTol))
                q.append(points[i]);
            merged[static_cast<std::size_t>(i)] = q.length() - 1;
        }
        if (q.length() == 1) {
            ZkArray<Point> collapsed{q[0], q[0], q[0], q[0]};
            return setDefinition(3, ZkGeKnotVector::clampedUniform(3, 4), collapsed, {}, false);
        }
        const bool periodic =
            periodicWhenClosed && q.length() >= 4 && q.first().isEqualTo(q.last(), m_fitTol);
        if (periodic)
            q.removeAt(q.length() - 1);
        // One condition per point and order (the first given), sorted along
        // the curve; the closing point of a periodic curve is its first.
        std::vector<FitDerivative> conditions;
        conditions.reserve(derivatives.size());
        for (const FitDerivative& d : derivatives) {
            conditions.push_back(d);
            conditions.back().index = merged[static_cast<std::size_t>(d.index)] % q.length();
        }
        const auto byPlace = [](const FitDerivative& a, const FitDerivative& b) {
            return a.index != b.index ? a.index < b.index : a.order < b.order;
        };
        std::stable_sort(conditions.begin(), conditions.end(), byPlace);
        conditions.erase(std::unique(conditions.begin(), conditions.end(),
                                     [](const FitDerivative& a, const FitDerivative& b) {
                                         return a.index == b.index && a.order == b.order;
                                     }),
                         conditions.end());
        const bool solved = periodic ? fitPeriodic(q, conditions) : fitOpen(q, conditions);
        if (!solved)
            clearDefinition();
        return solved;
    }

    // The interpolation rows, in the order of their parameters: each point,
    // followed by the derivatives given there. Rows ordered as their
    // parameters keep the matrix banded.
    struct Row {
        int index;
        int order;
        const Vector* value;
    };
    static std::vector<Row> rows(int numPoints, const std::vector<FitDerivative>& conditions) {
        std::vector<Row> result;
        result.reserve(static_cast<std::size_t>(numPoints) + conditions.size());
        auto next = conditions.begin();
        for (int i = 0; i < numPoints; ++i) {
            result.push_back({i, 0, nullptr});
            for (; next != conditions.end() && next->index == i; ++next)
                result.push_back({i, next->order, &next->value});
        }
        return result;
    }

    // Fills the system with the rows at their parameters; `column` maps a
    // control point of the unrolled spline to its unknown.
    template <class Column>
    static void collocate(ZkGeNurbsSystem& system, const std::vector<Row>& rows,
                          const std::vector<double>& params, const ZkArray<Point>& q,
                          const std::vector<double>& U, int p, Column column) {
        BasisTable basis;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const Row& row = rows[r];
            const double u = params[static_cast<std::size_t>(row.index)];
            const int k = ZkGeKnotVector::findSpan(U, p, u);
            basis.compute(U, p, k, u, row.order);
            for (int j = 0; j <= p; ++j) {
                const double b = basis.d(row.order, j);
                if (b != 0.0)
                    system.addEntry(static_cast<int>(r), column(k - p + j), b);
            }
            for (int c = 0; c < Dim; ++c)
                system.setRhs(static_cast<int>(r), c,
                              row.order == 0 ? q[row.index][c] : (*row.value)[c]);
        }
    }

    // Global interpolation with chord-length parameters (in model units, so
    // a unit tangent means unit speed, close to arc length) and averaging
    // knots. Each derivative adds one row, one control point, and a repeat
    // of its point's parameter to the averaging, so the knots stay simple
    // and the curve C2. Too few conditions for a cubic give a single lower
    // degree piece, raised to a cubic exactly.
    bool fitOpen(const ZkArray<Point>& q, const std::vector<FitDerivative>& conditions) {
        const std::vector<double> ub = ZkGeKnotVector::chordLengthParams(q);
        const std::vector<Row> table = rows(q.length(), conditions);
        std::vector<double> params;
        for (const Row& row : table)
            params.push_back(ub[static_cast<std::size_t>(row.index)]);
        const int size = static_cast<int>(table.size());
        const int p = std::min(3, size - 1);
        const std::vector<double> U = ZkGeKnotVector::averaging(params, p).asStdVector();
        ZkGeNurbsSystem system(size, Dim);
        collocate(system, table, ub, q, U, p, [](int i) { return i; });
        if (!system.solve())
            return false;
        Spline s{p, U, {}};
        for (int i = 0; i < size; ++i) {
            Hom h;
            for (int c = 0; c < Dim; ++c)
                h[c] = system.solution(i, c);
            h[Dim] = 1.0;
            s.points.push_back(h);
        }
        // A single Bezier piece; raising its degree keeps the curve and its
        // parametrisation: Q(i) = i/(d+1) P(i-1) + (1 - i/(d+1)) P(i).
        while (s.degree < 3) {
            const int d = s.degree;
            std::vector<Hom> e(static_cast<std::size_t>(d + 2));
            e.front() = s.points.front();
            e.back() = s.points.back();
            for (int i = 1; i <= d; ++i) {
                const double t = static_cast<double>(i) / (d + 1);
                e[static_cast<std::size_t>(i)] = lerp(t, s.points[static_cast<std::size_t>(i - 1)],
                                                      s.points[static_cast<std::size_t>(i)]);
            }
            s.points = std::move(e);
            s.degree = d + 1;
            s.knots = ZkGeKnotVector::clampedUniform(s.degree, s.degree + 1, ub.front(), ub.back())
                          .asStdVector();
        }
        assign(s, false);
        return true;
    }

    // Closed interpolation, C2 everywhere and across the seam: a periodic
    // cubic over the chord-length parameters of the points (closing chord
    // included), with one knot per row by periodic averaging, and the period
    // starting at the first point. Evenly spaced points give knots at the
    // points, the classic closed spline. The cyclic band of the system has
    // corners that wrap around.
    bool fitPeriodic(const ZkArray<Point>& q, const std::vector<FitDerivative>& conditions) {
        const int p = 3;
        const std::vector<double> t = ZkGeKnotVector::chordLengthParams(q);
        const double period = t.back() + q.last().distanceTo(q.first());
        const std::vector<Row> table = rows(q.length(), conditions);
        std::vector<double> params;
        for (const Row& row : table)
            params.push_back(t[static_cast<std::size_t>(row.index)]);
        const int n = static_cast<int>(table.size());
        ZkArray<Point> placeholder;
        for (int i = 0; i < n; ++i)
            placeholder.append(q[table[static_cast<std::size_t>(i)].index]);
        const ZkGeKnotVector knots =
            ZkGeKnotVector::periodicAveraging(params, period, p, m_knots.tolerance());
        if (!setDefinition(p, knots, placeholder, {}, true))
            return false;
        ZkGeNurbsSystem system(n, Dim);
        collocate(system, table, t, q, m_u, p, [n](int i) { return mod(i, n); });
        if (!system.solve())
            return false;
        for (int i = 0; i < n; ++i) {
            for (int c = 0; c < Dim; ++c)
                m_points[i][c] = system.solution(i, c);
        }
        rebuild();
        return true;
    }

    // The parameter of every fit point: its chord-length parameter mapped
    // onto the range in proportion, which is exact for the curve's own fit
    // and after similarity transforms, then moved to the nearest point of
    // the curve close by, for curves transformed otherwise. The ends of the
    // range stay the ends.
    std::vector<double> fitParams() const {
        std::vector<double> t = ZkGeKnotVector::chordLengthParams(m_fitPoints);
        const double a = startParam();
        const double b = endParam();
        const double total = t.empty() ? 0.0 : t.back();
        for (std::size_t i = 0; i < t.size(); ++i) {
            const Point& q = m_fitPoints[static_cast<int>(i)];
            double u = total > 0.0 ? a + (b - a) * t[i] / total : a;
            if (i > 0 && i + 1 < t.size()) {
                double dist2 = distance2(evalPoint(u), q);
                u = std::max(polish(q, u, dist2), t[i - 1]);
            }
            t[i] = u;
        }
        return t;
    }

    // Hands the fit data on to the pieces of a split at u: the fit points on
    // either side, the point at u ending one piece and starting the other
    // (a fit point there is that point), the start tangent to the first
    // piece and the end tangent to the second.
    void splitFitData(double u, ZkGeNurbsCore& before, ZkGeNurbsCore& after) const {
        const std::vector<double> params = fitParams();
        Point cut = evalPoint(u);
        for (const Point& q : m_fitPoints) {
            if (q.isEqualTo(cut, m_fitTol))
                cut = q;
        }
        ZkArray<Point> first;
        ZkArray<Point> second{cut};
        for (int i = 0; i < m_fitPoints.length(); ++i) {
            const Point& q = m_fitPoints[i];
            if (q.isEqualTo(cut, m_fitTol))
                continue;
            (params[static_cast<std::size_t>(i)] < u ? first : second).append(q);
        }
        first.append(cut);
        before.restoreFitData(first, m_fitTol, m_startTangent, Vector());
        after.restoreFitData(second, m_fitTol, Vector(), m_endTangent);
    }

    int m_degree = 3;
    ZkGeKnotVector m_knots;
    ZkArray<Point> m_points;
    ZkArray<double> m_weights;
    bool m_periodic = false;

    bool m_hasFit = false;
    ZkArray<Point> m_fitPoints;
    ZkGeTol m_fitTol = ZkGeContext::gTol;
    Vector m_startTangent;
    Vector m_endTangent;
    bool m_hasStartTangent = false;
    bool m_hasEndTangent = false;

    // The unrolled ordinary spline: knots and homogeneous control points.
    std::vector<double> m_u;
    std::vector<Hom> m_pw;
};
