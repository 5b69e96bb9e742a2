#pragma once

#include "ZkArray.h"
#include "ZkGeCurve3d.h"
#include "ZkGeKnotVector.h"
#include "ZkGeNurbsCore.h"

// A non-uniform rational B-spline in space, optionally built by interpolating
// fit points, whose fit data it then keeps so the points can be edited.
//
// Definition data: degree (>= 1), knots, control points and weights (empty
// for a non-rational curve; all positive otherwise). A clamped or otherwise
// ordinary curve has numControlPoints + degree + 1 knots and runs over
// [knot(degree), knot(numControlPoints)]. A periodic curve is stored once
// around: n control points and the n + 1 knots of one period, t0 .. tn; it
// runs over [t0, tn] and every parameter outside that range wraps into it.
// Ordinary curves evaluate outside their range by extending the end pieces.
//
// Fit data: fit points, a fit tolerance and optional end tangents. A fitted
// curve is a cubic through every fit point, parametrised by chord length in
// model units from 0 at the first (so a unit end tangent means unit speed at
// that end):
//  - with no end tangent and first and last fit points within the tolerance
//    (and at least three distinct points), a periodic cubic, C2 at the seam,
//    whose period starts at the first fit point;
//  - otherwise a clamped cubic by global interpolation with averaging knots,
//    whose end derivatives equal the given tangents exactly (direction and
//    length); a zero tangent leaves that end free;
//  - setFitData with derivatives also meets first and second derivatives at
//    interior fit points, and closes the curve on request;
//  - two fit points and no tangent give a straight cubic, and so do the
//    cases that fix fewer than four conditions: they are fitted at the lower
//    degree and raised to a cubic exactly;
//  - fit points within the tolerance of their predecessor are fitted as one;
//    when all coincide the curve is a cubic collapsed onto that point;
//  - fewer than two fit points give no curve at all: no control points, an
//    interval [0, 0], evaluation at the origin, and isDegenerate().
// Editing the definition (control points, weights, setDefinitionData) drops
// the fit data; transforms and knot insertion keep it, since the curve still
// passes through the fit points with the tangents as end derivatives. Split
// pieces carry the fit points of their side, with the split point as their
// new end.
class ZkGeNurbCurve3d : public ZkGeCurve3d {
public:
    ZkGeNurbCurve3d() = default; // no curve, no fit data
    // Invalid definition data leaves the curve empty; see setDefinitionData.
    ZkGeNurbCurve3d(int degree, const ZkGeKnotVector& knots,
                    const ZkArray<ZkGePoint3d>& controlPoints, const ZkArray<double>& weights = {},
                    bool isPeriodic = false);
    explicit ZkGeNurbCurve3d(const ZkArray<ZkGePoint3d>& fitPoints,
                             const ZkGeTol& fitTol = ZkGeContext::gTol);
    ZkGeNurbCurve3d(const ZkArray<ZkGePoint3d>& fitPoints, const ZkGeVector3d& startTangent,
                    const ZkGeVector3d& endTangent, const ZkGeTol& fitTol = ZkGeContext::gTol);

    // ---- definition data

    // False, leaving the curve as it was, when the data do not make a curve
    // (see the class comment for the counts).
    bool setDefinitionData(int degree, const ZkGeKnotVector& knots,
                           const ZkArray<ZkGePoint3d>& controlPoints,
                           const ZkArray<double>& weights = {}, bool isPeriodic = false);
    // Weights come back empty for a non-rational curve.
    void getDefinitionData(int& degree, bool& rational, bool& periodic, ZkGeKnotVector& knots,
                           ZkArray<ZkGePoint3d>& controlPoints, ZkArray<double>& weights) const;
    int degree() const { return m_core.degree(); }
    bool isRational() const { return m_core.isRational(); }
    int numControlPoints() const { return m_core.controlPoints().length(); }
    ZkGePoint3d controlPointAt(int index) const { return m_core.controlPoints().at(index); }
    bool setControlPointAt(int index, const ZkGePoint3d& point);
    // 1 for every control point of a non-rational curve.
    double weightAt(int index) const { return m_core.weightAt(index); }
    // Makes a non-rational curve rational.
    bool setWeightAt(int index, double weight);
    const ZkGeKnotVector& knots() const { return m_core.knots(); }
    int numKnots() const { return m_core.knots().length(); }
    double knotAt(int index) const { return m_core.knots().at(index); }
    // Adds one knot without changing the curve; false outside the range,
    // where the knot is already of multiplicity degree, or for a periodic
    // curve with fewer control points than its degree.
    bool insertKnot(double param);
    ZkGePoint3d startPoint() const { return evalPoint(getInterval().lowerBound()); }
    ZkGePoint3d endPoint() const { return evalPoint(getInterval().upperBound()); }

    // ---- fit data

    bool hasFitData() const { return m_core.hasFitData(); }
    int numFitPoints() const { return m_core.fitPoints().length(); }
    bool getFitPointAt(int index, ZkGePoint3d& point) const;
    // Each edit refits; false (and nothing changes) for an index out of
    // range or a curve without fit data. addFitPointAt inserts before index
    // (index == numFitPoints() appends) and also starts the fit data of an
    // empty curve.
    bool setFitPointAt(int index, const ZkGePoint3d& point);
    bool addFitPointAt(int index, const ZkGePoint3d& point);
    bool removeFitPointAt(int index);
    // False without fit data. tangentsExist tells whether either end tangent
    // is set; an unset one comes back as the zero vector.
    bool getFitData(ZkArray<ZkGePoint3d>& fitPoints, ZkGeTol& fitTol, bool& tangentsExist,
                    ZkGeVector3d& startTangent, ZkGeVector3d& endTangent) const;
    // Replaces the curve by the fit of this data. The tangents count only
    // with tangentsExist; a zero one leaves its end free.
    void setFitData(const ZkArray<ZkGePoint3d>& fitPoints, const ZkGeTol& fitTol,
                    bool tangentsExist, const ZkGeVector3d& startTangent,
                    const ZkGeVector3d& endTangent);
    void setFitData(const ZkArray<ZkGePoint3d>& fitPoints,
                    const ZkGeTol& fitTol = ZkGeContext::gTol);
    // A derivative the fit meets at one fit point: `order` 1 for the first
    // and 2 for the second derivative by the chord-length parameter.
    using FitDerivative = ZkGeNurbsCore<ZkGePoint3d, ZkGeVector3d, 3>::FitDerivative;
    // Replaces the curve by the cubic through `fitPoints` (closed: back to
    // the first, which is not repeated, periodic and C2 at the seam) that
    // meets every derivative given, anywhere along the curve. The fit data
    // keep the points (the first repeated at the end when closed) and, for
    // an open curve, the first derivatives at its ends as end tangents;
    // editing the fit data later refits with those alone. False, leaving the
    // curve as it was, for fewer than two fit points, a derivative of
    // another order or of no fit point, or conditions no cubic can meet.
    bool setFitData(const ZkArray<ZkGePoint3d>& fitPoints,
                    const std::vector<FitDerivative>& derivatives, bool closed,
                    const ZkGeTol& fitTol = ZkGeContext::gTol);
    // Sets fit data kept with this very curve (as storage gives them back)
    // without refitting, so the definition stays exactly as it is.
    void restoreFitData(const ZkArray<ZkGePoint3d>& fitPoints, const ZkGeTol& fitTol,
                        bool tangentsExist, const ZkGeVector3d& startTangent,
                        const ZkGeVector3d& endTangent);
    // Whether either tangent is set; unset ones come back as zero vectors.
    bool getFitTangents(ZkGeVector3d& startTangent, ZkGeVector3d& endTangent) const;
    // Refits; false without fit data.
    bool setFitTangents(const ZkGeVector3d& startTangent, const ZkGeVector3d& endTangent);
    bool hasStartTangent() const { return m_core.hasStartTangent(); }
    bool hasEndTangent() const { return m_core.hasEndTangent(); }
    ZkGeTol fitTolerance() const { return m_core.fitTolerance(); }
    bool setFitTolerance(const ZkGeTol& fitTol);
    // Forgets the fit data and keeps the curve.
    void purgeFitData() { m_core.purgeFitData(); }

    // ---- entity and curve

    ZkGe::EntityId type() const override { return ZkGe::kNurbCurve3d; }
    bool isKindOf(ZkGe::EntityId id) const override {
        return id == ZkGe::kNurbCurve3d || ZkGeCurve3d::isKindOf(id);
    }
    std::unique_ptr<ZkGeEntity3d> copy() const override;
    ZkGeNurbCurve3d& transformBy(const ZkGeMatrix3d& m) override;
    // Same degree, periodicity and counts, with knots and control points
    // within equalPoint and weights within equalVector (a non-rational curve
    // has weights 1). Fit data are how the curve was made and do not count.
    bool isEqualTo(const ZkGeEntity3d& other,
                   const ZkGeTol& tol = ZkGeContext::gTol) const override;

    ZkGeInterval getInterval() const override;
    ZkGePoint3d evalPoint(double param) const override;
    ZkGePoint3d evalPoint(double param, int numDeriv,
                          std::vector<ZkGeVector3d>& derivatives) const override;
    using ZkGeCurve3d::closestPointTo;
    ZkGePoint3d closestPointTo(const ZkGePoint3d& point,
                               const ZkGeTol& tol = ZkGeContext::gTol) const override;
    double paramOf(const ZkGePoint3d& point, const ZkGeTol& tol = ZkGeContext::gTol) const override;
    using ZkGeCurve3d::length;
    double length(double fromParam, double toParam, double tol = 1e-10) const override;
    // Pieces are clamped curves of this degree over [start, param] and
    // [param, end], keeping this curve's parameters; a periodic curve is cut
    // open at its start first.
    void getSplitCurves(double param, std::unique_ptr<ZkGeCurve3d>& piece1,
                        std::unique_ptr<ZkGeCurve3d>& piece2) const override;
    bool isClosed(const ZkGeTol& tol = ZkGeContext::gTol) const override;
    // The period of a periodic curve; 0 otherwise.
    bool isPeriodic(double& period) const override;
    bool isPeriodic() const { return m_core.isPeriodic(); }
    bool isDegenerate(const ZkGeTol& tol = ZkGeContext::gTol) const override;
    // The box of the control points, which holds the curve (convex hull
    // property) but may be larger than the curve's own box.
    ZkGeBoundBlock3d boundBlock() const override;

    // Exact comparison of all data, fit data included, for round trips.
    bool operator==(const ZkGeNurbCurve3d& c) const { return m_core == c.m_core; }
    bool operator!=(const ZkGeNurbCurve3d& c) const { return !(*this == c); }

private:
    using Core = ZkGeNurbsCore<ZkGePoint3d, ZkGeVector3d, 3>;
    explicit ZkGeNurbCurve3d(Core core)
        : m_core(std::move(core)) {}

    Core m_core;
};
