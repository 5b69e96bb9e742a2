#include "ZkGeNurbCurve2d.h"

#include <optional>

ZkGeNurbCurve2d::ZkGeNurbCurve2d(int degree, const ZkGeKnotVector& knots,
                                 const ZkArray<ZkGePoint2d>& controlPoints,
                                 const ZkArray<double>& weights, bool isPeriodic) {
    m_core.setDefinition(degree, knots, controlPoints, weights, isPeriodic);
}

ZkGeNurbCurve2d::ZkGeNurbCurve2d(const ZkArray<ZkGePoint2d>& fitPoints, const ZkGeTol& fitTol) {
    setFitData(fitPoints, fitTol);
}

ZkGeNurbCurve2d::ZkGeNurbCurve2d(const ZkArray<ZkGePoint2d>& fitPoints,
                                 const ZkGeVector2d& startTangent, const ZkGeVector2d& endTangent,
                                 const ZkGeTol& fitTol) {
    setFitData(fitPoints, fitTol, true, startTangent, endTangent);
}

bool ZkGeNurbCurve2d::setDefinitionData(int degree, const ZkGeKnotVector& knots,
                                        const ZkArray<ZkGePoint2d>& controlPoints,
                                        const ZkArray<double>& weights, bool isPeriodic) {
    if (!m_core.setDefinition(degree, knots, controlPoints, weights, isPeriodic))
        return false;
    m_core.purgeFitData();
    return true;
}

void ZkGeNurbCurve2d::getDefinitionData(int& degree, bool& rational, bool& periodic,
                                        ZkGeKnotVector& knots, ZkArray<ZkGePoint2d>& controlPoints,
                                        ZkArray<double>& weights) const {
    degree = m_core.degree();
    rational = m_core.isRational();
    periodic = m_core.isPeriodic();
    knots = m_core.knots();
    controlPoints = m_core.controlPoints();
    weights = m_core.weights();
}

bool ZkGeNurbCurve2d::setControlPointAt(int index, const ZkGePoint2d& point) {
    if (!m_core.setControlPointAt(index, point))
        return false;
    m_core.purgeFitData();
    return true;
}

bool ZkGeNurbCurve2d::setWeightAt(int index, double weight) {
    if (!m_core.setWeightAt(index, weight))
        return false;
    m_core.purgeFitData();
    return true;
}

bool ZkGeNurbCurve2d::insertKnot(double param) {
    return m_core.insertKnot(param);
}

bool ZkGeNurbCurve2d::getFitPointAt(int index, ZkGePoint2d& point) const {
    if (index < 0 || index >= numFitPoints())
        return false;
    point = m_core.fitPoints()[index];
    return true;
}

bool ZkGeNurbCurve2d::setFitPointAt(int index, const ZkGePoint2d& point) {
    return m_core.setFitPointAt(index, point);
}

bool ZkGeNurbCurve2d::addFitPointAt(int index, const ZkGePoint2d& point) {
    return m_core.addFitPointAt(index, point);
}

bool ZkGeNurbCurve2d::removeFitPointAt(int index) {
    return m_core.removeFitPointAt(index);
}

bool ZkGeNurbCurve2d::getFitData(ZkArray<ZkGePoint2d>& fitPoints, ZkGeTol& fitTol,
                                 bool& tangentsExist, ZkGeVector2d& startTangent,
                                 ZkGeVector2d& endTangent) const {
    fitPoints = m_core.fitPoints();
    fitTol = m_core.fitTolerance();
    tangentsExist = getFitTangents(startTangent, endTangent);
    return m_core.hasFitData();
}

void ZkGeNurbCurve2d::setFitData(const ZkArray<ZkGePoint2d>& fitPoints, const ZkGeTol& fitTol,
                                 bool tangentsExist, const ZkGeVector2d& startTangent,
                                 const ZkGeVector2d& endTangent) {
    if (tangentsExist)
        m_core.setFitData(fitPoints, fitTol, startTangent, endTangent);
    else
        m_core.setFitData(fitPoints, fitTol, ZkGeVector2d(), ZkGeVector2d());
}

void ZkGeNurbCurve2d::setFitData(const ZkArray<ZkGePoint2d>& fitPoints, const ZkGeTol& fitTol) {
    m_core.setFitData(fitPoints, fitTol, ZkGeVector2d(), ZkGeVector2d());
}

bool ZkGeNurbCurve2d::setFitData(const ZkArray<ZkGePoint2d>& fitPoints,
                                 const std::vector<FitDerivative>& derivatives, bool closed,
                                 const ZkGeTol& fitTol) {
    return m_core.setFitData(fitPoints, derivatives, closed, fitTol);
}

void ZkGeNurbCurve2d::restoreFitData(const ZkArray<ZkGePoint2d>& fitPoints, const ZkGeTol& fitTol,
                                     bool tangentsExist, const ZkGeVector2d& startTangent,
                                     const ZkGeVector2d& endTangent) {
    if (tangentsExist)
        m_core.restoreFitData(fitPoints, fitTol, startTangent, endTangent);
    else
        m_core.restoreFitData(fitPoints, fitTol, ZkGeVector2d(), ZkGeVector2d());
}

bool ZkGeNurbCurve2d::getFitTangents(ZkGeVector2d& startTangent, ZkGeVector2d& endTangent) const {
    startTangent = m_core.startTangent();
    endTangent = m_core.endTangent();
    return m_core.hasStartTangent() || m_core.hasEndTangent();
}

bool ZkGeNurbCurve2d::setFitTangents(const ZkGeVector2d& startTangent,
                                     const ZkGeVector2d& endTangent) {
    if (!m_core.hasFitData())
        return false;
    m_core.setFitTangents(startTangent, endTangent);
    return true;
}

bool ZkGeNurbCurve2d::setFitTolerance(const ZkGeTol& fitTol) {
    if (!m_core.hasFitData())
        return false;
    m_core.setFitTolerance(fitTol);
    return true;
}

std::unique_ptr<ZkGeCurve2d> ZkGeNurbCurve2d::copy() const {
    return std::make_unique<ZkGeNurbCurve2d>(*this);
}

bool ZkGeNurbCurve2d::isEqualTo(const ZkGeCurve2d& other, const ZkGeTol& tol) const {
    if (other.type() != type())
        return false;
    return m_core.isEqualTo(static_cast<const ZkGeNurbCurve2d&>(other).m_core, tol);
}

ZkGeInterval ZkGeNurbCurve2d::getInterval() const {
    return ZkGeInterval(m_core.startParam(), m_core.endParam());
}

ZkGePoint2d ZkGeNurbCurve2d::evalPoint(double param) const {
    return m_core.evalPoint(param);
}

ZkGePoint2d ZkGeNurbCurve2d::evalPoint(double param, int numDeriv,
                                       std::vector<ZkGeVector2d>& derivatives) const {
    return m_core.evaluate(param, numDeriv, &derivatives);
}

ZkGePoint2d ZkGeNurbCurve2d::closestPointTo(const ZkGePoint2d& point, const ZkGeTol& tol) const {
    return evalPoint(paramOf(point, tol));
}

double ZkGeNurbCurve2d::paramOf(const ZkGePoint2d& point, const ZkGeTol&) const {
    return m_core.closestParam(point);
}

double ZkGeNurbCurve2d::length(double fromParam, double toParam, double tol) const {
    return m_core.length(fromParam, toParam, tol);
}

void ZkGeNurbCurve2d::getSplitCurves(double param, std::unique_ptr<ZkGeCurve2d>& piece1,
                                     std::unique_ptr<ZkGeCurve2d>& piece2) const {
    std::optional<Core> before;
    std::optional<Core> after;
    m_core.split(param, before, after);
    piece1.reset(before ? new ZkGeNurbCurve2d(std::move(*before)) : nullptr);
    piece2.reset(after ? new ZkGeNurbCurve2d(std::move(*after)) : nullptr);
}

bool ZkGeNurbCurve2d::isClosed(const ZkGeTol& tol) const {
    if (m_core.isEmpty())
        return false;
    return m_core.isPeriodic() || startPoint().isEqualTo(endPoint(), tol);
}

bool ZkGeNurbCurve2d::isPeriodic(double& period) const {
    period = m_core.period();
    return m_core.isPeriodic();
}

bool ZkGeNurbCurve2d::isDegenerate(const ZkGeTol& tol) const {
    return m_core.isDegenerate(tol);
}

ZkGeBoundBlock2d ZkGeNurbCurve2d::boundBlock() const {
    ZkGePoint2d lo;
    ZkGePoint2d hi;
    if (!m_core.getBounds(lo, hi))
        return ZkGeBoundBlock2d();
    return ZkGeBoundBlock2d(lo, hi);
}
