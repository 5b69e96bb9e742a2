#include "ZkGeNurbCurve3d.h"

#include <optional>

ZkGeNurbCurve3d::ZkGeNurbCurve3d(int degree, const ZkGeKnotVector& knots,
                                 const ZkArray<ZkGePoint3d>& controlPoints,
                                 const ZkArray<double>& weights, bool isPeriodic) {
    m_core.setDefinition(degree, knots, controlPoints, weights, isPeriodic);
}

ZkGeNurbCurve3d::ZkGeNurbCurve3d(const ZkArray<ZkGePoint3d>& fitPoints, const ZkGeTol& fitTol) {
    setFitData(fitPoints, fitTol);
}

ZkGeNurbCurve3d::ZkGeNurbCurve3d(const ZkArray<ZkGePoint3d>& fitPoints,
                                 const ZkGeVector3d& startTangent, const ZkGeVector3d& endTangent,
                                 const ZkGeTol& fitTol) {
    setFitData(fitPoints, fitTol, true, startTangent, endTangent);
}

bool ZkGeNurbCurve3d::setDefinitionData(int degree, const ZkGeKnotVector& knots,
                                        const ZkArray<ZkGePoint3d>& controlPoints,
                                        const ZkArray<double>& weights, bool isPeriodic) {
    if (!m_core.setDefinition(degree, knots, controlPoints, weights, isPeriodic))
        return false;
    m_core.purgeFitData();
    return true;
}

void ZkGeNurbCurve3d::getDefinitionData(int& degree, bool& rational, bool& periodic,
                                        ZkGeKnotVector& knots, ZkArray<ZkGePoint3d>& controlPoints,
                                        ZkArray<double>& weights) const {
    degree = m_core.degree();
    rational = m_core.isRational();
    periodic = m_core.isPeriodic();
    knots = m_core.knots();
    controlPoints = m_core.controlPoints();
    weights = m_core.weights();
}

bool ZkGeNurbCurve3d::setControlPointAt(int index, const ZkGePoint3d& point) {
    if (!m_core.setControlPointAt(index, point))
        return false;
    m_core.purgeFitData();
    return true;
}

bool ZkGeNurbCurve3d::setWeightAt(int index, double weight) {
    if (!m_core.setWeightAt(index, weight))
        return false;
    m_core.purgeFitData();
    return true;
}

bool ZkGeNurbCurve3d::insertKnot(double param) {
    return m_core.insertKnot(param);
}

bool ZkGeNurbCurve3d::getFitPointAt(int index, ZkGePoint3d& point) const {
    if (index < 0 || index >= numFitPoints())
        return false;
    point = m_core.fitPoints()[index];
    return true;
}

bool ZkGeNurbCurve3d::setFitPointAt(int index, const ZkGePoint3d& point) {
    return m_core.setFitPointAt(index, point);
}

bool ZkGeNurbCurve3d::addFitPointAt(int index, const ZkGePoint3d& point) {
    return m_core.addFitPointAt(index, point);
}

bool ZkGeNurbCurve3d::removeFitPointAt(int index) {
    return m_core.removeFitPointAt(index);
}

bool ZkGeNurbCurve3d::getFitData(ZkArray<ZkGePoint3d>& fitPoints, ZkGeTol& fitTol,
                                 bool& tangentsExist, ZkGeVector3d& startTangent,
                                 ZkGeVector3d& endTangent) const {
    fitPoints = m_core.fitPoints();
    fitTol = m_core.fitTolerance();
    tangentsExist = getFitTangents(startTangent, endTangent);
    return m_core.hasFitData();
}

void ZkGeNurbCurve3d::setFitData(const ZkArray<ZkGePoint3d>& fitPoints, const ZkGeTol& fitTol,
                                 bool tangentsExist, const ZkGeVector3d& startTangent,
                                 const ZkGeVector3d& endTangent) {
    if (tangentsExist)
        m_core.setFitData(fitPoints, fitTol, startTangent, endTangent);
    else
        m_core.setFitData(fitPoints, fitTol, ZkGeVector3d(), ZkGeVector3d());
}

void ZkGeNurbCurve3d::setFitData(const ZkArray<ZkGePoint3d>& fitPoints, const ZkGeTol& fitTol) {
    m_core.setFitData(fitPoints, fitTol, ZkGeVector3d(), ZkGeVector3d());
}

bool ZkGeNurbCurve3d::setFitData(const ZkArray<ZkGePoint3d>& fitPoints,
                                 const std::vector<FitDerivative>& derivatives, bool closed,
                                 const ZkGeTol& fitTol) {
    return m_core.setFitData(fitPoints, derivatives, closed, fitTol);
}

void ZkGeNurbCurve3d::restoreFitData(const ZkArray<ZkGePoint3d>& fitPoints, const ZkGeTol& fitTol,
                                     bool tangentsExist, const ZkGeVector3d& startTangent,
                                     const ZkGeVector3d& endTangent) {
    if (tangentsExist)
        m_core.restoreFitData(fitPoints, fitTol, startTangent, endTangent);
    else
        m_core.restoreFitData(fitPoints, fitTol, ZkGeVector3d(), ZkGeVector3d());
}

bool ZkGeNurbCurve3d::getFitTangents(ZkGeVector3d& startTangent, ZkGeVector3d& endTangent) const {
    startTangent = m_core.startTangent();
    endTangent = m_core.endTangent();
    return m_core.hasStartTangent() || m_core.hasEndTangent();
}

bool ZkGeNurbCurve3d::setFitTangents(const ZkGeVector3d& startTangent,
                                     const ZkGeVector3d& endTangent) {
    if (!m_core.hasFitData())
        return false;
    m_core.setFitTangents(startTangent, endTangent);
    return true;
}

bool ZkGeNurbCurve3d::setFitTolerance(const ZkGeTol& fitTol) {
    if (!m_core.hasFitData())
        return false;
    m_core.setFitTolerance(fitTol);
    return true;
}

std::unique_ptr<ZkGeEntity3d> ZkGeNurbCurve3d::copy() const {
    return std::make_unique<ZkGeNurbCurve3d>(*this);
}

ZkGeNurbCurve3d& ZkGeNurbCurve3d::transformBy(const ZkGeMatrix3d& m) {
    m_core.transform([&](ZkGePoint3d& p) { p.transformBy(m); },
                     [&](ZkGeVector3d& v) { v.transformBy(m); });
    return *this;
}

bool ZkGeNurbCurve3d::isEqualTo(const ZkGeEntity3d& other, const ZkGeTol& tol) const {
    if (other.type() != type())
        return false;
    return m_core.isEqualTo(static_cast<const ZkGeNurbCurve3d&>(other).m_core, tol);
}

ZkGeInterval ZkGeNurbCurve3d::getInterval() const {
    return ZkGeInterval(m_core.startParam(), m_core.endParam());
}

ZkGePoint3d ZkGeNurbCurve3d::evalPoint(double param) const {
    return m_core.evalPoint(param);
}

ZkGePoint3d ZkGeNurbCurve3d::evalPoint(double param, int numDeriv,
                                       std::vector<ZkGeVector3d>& derivatives) const {
    return m_core.evaluate(param, numDeriv, &derivatives);
}

ZkGePoint3d ZkGeNurbCurve3d::closestPointTo(const ZkGePoint3d& point, const ZkGeTol& tol) const {
    return evalPoint(paramOf(point, tol));
}

double ZkGeNurbCurve3d::paramOf(const ZkGePoint3d& point, const ZkGeTol&) const {
    return m_core.closestParam(point);
}

double ZkGeNurbCurve3d::length(double fromParam, double toParam, double tol) const {
    return m_core.length(fromParam, toParam, tol);
}

void ZkGeNurbCurve3d::getSplitCurves(double param, std::unique_ptr<ZkGeCurve3d>& piece1,
                                     std::unique_ptr<ZkGeCurve3d>& piece2) const {
    std::optional<Core> before;
    std::optional<Core> after;
    m_core.split(param, before, after);
    piece1.reset(before ? new ZkGeNurbCurve3d(std::move(*before)) : nullptr);
    piece2.reset(after ? new ZkGeNurbCurve3d(std::move(*after)) : nullptr);
}

bool ZkGeNurbCurve3d::isClosed(const ZkGeTol& tol) const {
    if (m_core.isEmpty())
        return false;
    return m_core.isPeriodic() || startPoint().isEqualTo(endPoint(), tol);
}

bool ZkGeNurbCurve3d::isPeriodic(double& period) const {
    period = m_core.period();
    return m_core.isPeriodic();
}

bool ZkGeNurbCurve3d::isDegenerate(const ZkGeTol& tol) const {
    return m_core.isDegenerate(tol);
}

ZkGeBoundBlock3d ZkGeNurbCurve3d::boundBlock() const {
    ZkGePoint3d lo;
    ZkGePoint3d hi;
    if (!m_core.getBounds(lo, hi))
        return ZkGeBoundBlock3d();
    return ZkGeBoundBlock3d(lo, hi);
}
