#pragma once

#include "ZkArray.h"
#include "ZkGeCurve2d.h"
#include "ZkGeKnotVector.h"
#include "ZkGeNurbsCore.h"

// A non-uniform rational B-spline in the plane, optionally fitted through
// editable fit points. Definition data, fit data, parametrisation and end
// conditions are those of ZkGeNurbCurve3d, whose comment describes them; the
// two share one implementation. Plane curves have no transforms (see
// ZkGeCurve2d), so the 3d curve's transformBy has no counterpart here.
class ZkGeNurbCurve2d : public ZkGeCurve2d {
public:
    ZkGeNurbCurve2d() = default; // no curve, no fit data
    // Invalid definition data leaves the curve empty; see setDefinitionData.
    ZkGeNurbCurve2d(int degree, const ZkGeKnotVector& knots,
                    const ZkArray<ZkGePoint2d>& controlPoints, const ZkArray<double>& weights = {},
                    bool isPeriodic = false);
    explicit ZkGeNurbCurve2d(const ZkArray<ZkGePoint2d>& fitPoints,
                             const ZkGeTol& fitTol = ZkGeContext::gTol);
    ZkGeNurbCurve2d(const ZkArray<ZkGePoint2d>& fitPoints, const ZkGeVector2d& startTangent,
                    const ZkGeVector2d& endTangent, const ZkGeTol& fitTol = ZkGeContext::gTol);

    // ---- definition data

    // False, leaving the curve as it was, when the data do not make a curve
    // (see the class comment for the counts).
    bool setDefinitionData(int degree, const ZkGeKnotVector& knots,
                           const ZkArray<ZkGePoint2d>& controlPoints,
                           const ZkArray<double>& weights = {}, bool isPeriodic = false);
    // Weights come back empty for a non-rational curve.
    void getDefinitionData(int& degree, bool& rational, bool& periodic, ZkGeKnotVector& knots,
                           ZkArray<ZkGePoint2d>& controlPoints, ZkArray<double>& weights) const;
    int degree() const { return m_core.degree(); }
    bool isRational() const { return m_core.isRational(); }
    int numControlPoints() const { return m_core.controlPoints().length(); }
    ZkGePoint2d controlPointAt(int index) const { return m_core.controlPoints().at(index); }
    bool setControlPointAt(int index, const ZkGePoint2d& point);
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
    ZkGePoint2d startPoint() const { return evalPoint(getInterval().lowerBound()); }
    ZkGePoint2d endPoint() const { return evalPoint(getInterval().upperBound()); }

    // ---- fit data

    bool hasFitData() const { return m_core.hasFitData(); }
    int numFitPoints() const { return m_core.fitPoints().length(); }
    bool getFitPointAt(int index, ZkGePoint2d& point) const;
    // Each edit refits; false (and nothing changes) for an index out of
    // range or a curve without fit data. addFitPointAt inserts before index
    // (index == numFitPoints() appends) and also starts the fit data of an
    // empty curve.
    bool setFitPointAt(int index, const ZkGePoint2d& point);
    bool addFitPointAt(int index, const ZkGePoint2d& point);
    bool removeFitPointAt(int index);
    // False without fit data. tangentsExist tells whether either end tangent
    // is set; an unset one comes back as the zero vector.
    bool getFitData(ZkArray<ZkGePoint2d>& fitPoints, ZkGeTol& fitTol, bool& tangentsExist,
                    ZkGeVector2d& startTangent, ZkGeVector2d& endTangent) const;
    // Replaces the curve by the fit of this data. The tangents count only
    // with tangentsExist; a zero one leaves its end free.
    void setFitData(const ZkArray<ZkGePoint2d>& fitPoints, const ZkGeTol& fitTol,
                    bool tangentsExist, const ZkGeVector2d& startTangent,
                    const ZkGeVector2d& endTangent);
    void setFitData(const ZkArray<ZkGePoint2d>& fitPoints,
                    const ZkGeTol& fitTol = ZkGeContext::gTol);
    // A derivative the fit meets at one fit point: `order` 1 for the first
    // and 2 for the second derivative by the chord-length parameter.
    using FitDerivative = ZkGeNurbsCore<ZkGePoint2d, ZkGeVector2d, 2>::FitDerivative;
    // Replaces the curve by the cubic through `fitPoints` (closed: back to
    // the first, which is not repeated, periodic and C2 at the seam) that
    // meets every derivative given, anywhere along the curve. The fit data
    // keep the points (the first repeated at the end when closed) and, for
    // an open curve, the first derivatives at its ends as end tangents;
    // editing the fit data later refits with those alone. False, leaving the
    // curve as it was, for fewer than two fit points, a derivative of
    // another order or of no fit point, or conditions no cubic can meet.
    bool setFitData(const ZkArray<ZkGePoint2d>& fitPoints,
                    const std::vector<FitDerivative>& derivatives, bool closed,
                    const ZkGeTol& fitTol = ZkGeContext::gTol);
    // Sets fit data kept with this very curve (as storage gives them back)
    // without refitting, so the definition stays exactly as it is.
    void restoreFitData(const ZkArray<ZkGePoint2d>& fitPoints, const ZkGeTol& fitTol,
                        bool tangentsExist, const ZkGeVector2d& startTangent,
                        const ZkGeVector2d& endTangent);
    // Whether either tangent is set; unset ones come back as zero vectors.
    bool getFitTangents(ZkGeVector2d& startTangent, ZkGeVector2d& endTangent) const;
    // Refits; false without fit data.
    bool setFitTangents(const ZkGeVector2d& startTangent, const ZkGeVector2d& endTangent);
    bool hasStartTangent() const { return m_core.hasStartTangent(); }
    bool hasEndTangent() const { return m_core.hasEndTangent(); }
    ZkGeTol fitTolerance() const { return m_core.fitTolerance(); }
    bool setFitTolerance(const ZkGeTol& fitTol);
    // Forgets the fit data and keeps the curve.
    void purgeFitData() { m_core.purgeFitData(); }

    // ---- curve

    ZkGe::EntityId type() const override { return ZkGe::kNurbCurve2d; }
    bool isKindOf(ZkGe::EntityId id) const override {
        return id == ZkGe::kNurbCurve2d || ZkGeCurve2d::isKindOf(id);
    }
    std::unique_ptr<ZkGeCurve2d> copy() const override;
    // As ZkGeNurbCurve3d::isEqualTo.
    bool isEqualTo(const ZkGeCurve2d& other, const ZkGeTol& tol = ZkGeContext::gTol) const override;

    ZkGeInterval getInterval() const override;
    ZkGePoint2d evalPoint(double param) const override;
    ZkGePoint2d evalPoint(double param, int numDeriv,
                          std::vector<ZkGeVector2d>& derivatives) const override;
    using ZkGeCurve2d::closestPointTo;
    ZkGePoint2d closestPointTo(const ZkGePoint2d& point,
                               const ZkGeTol& tol = ZkGeContext::gTol) const override;
    double paramOf(const ZkGePoint2d& point, const ZkGeTol& tol = ZkGeContext::gTol) const override;
    using ZkGeCurve2d::length;
    double length(double fromParam, double toParam, double tol = 1e-10) const override;
    // Pieces are clamped curves of this degree over [start, param] and
    // [param, end], keeping this curve's parameters; a periodic curve is cut
    // open at its start first.
    void getSplitCurves(double param, std::unique_ptr<ZkGeCurve2d>& piece1,
                        std::unique_ptr<ZkGeCurve2d>& piece2) const;
    bool isClosed(const ZkGeTol& tol = ZkGeContext::gTol) const override;
    // The period of a periodic curve; 0 otherwise.
    bool isPeriodic(double& period) const;
    bool isPeriodic() const { return m_core.isPeriodic(); }
    bool isDegenerate(const ZkGeTol& tol = ZkGeContext::gTol) const;
    // The box of the control points, which holds the curve (convex hull
    // property) but may be larger than the curve's own box.
    ZkGeBoundBlock2d boundBlock() const override;

    // Exact comparison of all data, fit data included, for round trips.
    bool operator==(const ZkGeNurbCurve2d& c) const { return m_core == c.m_core; }
    bool operator!=(const ZkGeNurbCurve2d& c) const { return !(*this == c); }

private:
    using Core = ZkGeNurbsCore<ZkGePoint2d, ZkGeVector2d, 2>;
    explicit ZkGeNurbCurve2d(Core core)
        : m_core(std::move(core)) {}

    Core m_core;
};
