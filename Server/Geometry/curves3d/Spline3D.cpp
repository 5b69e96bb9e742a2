#include "Geometry/curves3d/Spline3D.h"

#include "Geometry/curves3d/CurvatureHandle.h"
#include "Geometry/curves3d/SplineSolver.h"
#include "Geometry/curves3d/TangentHandle.h"
#include "Geometry/sketch3d/CurvatureUses.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/PointUses.h"
#include "Geometry/sketch3d/TangentUses.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/Scene/NodeChange.h"
#include "Kv/Scene/NodeData.h"
#include "Wyn/Graphics/NurbsCurveNode.h"
#include "ZkGeContext.h"
#include "ZkGeMatrix3d.h"

#include <boost/format.hpp>

#include <algorithm>
#include <cmath>
#include <memory>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Spline3D)

// ---- creation

StrongRefCreator<Spline3D> Spline3D::make(const StrongRef<Entity>& parent,
                                          const ZkArray<ZkGePoint3d>& positions, bool closed) {
    if (!parent || positions.isEmpty())
        return {};
    const StrongRef<Point3D> start = Point3D::findOrMake(parent, positions.first());
    const StrongRef<Point3D> end =
        closed || positions.length() == 1 ? start : Point3D::findOrMake(parent, positions.last());
    StrongRef<Spline3D> spline(new Spline3D(parent.get(), nullptr, start, end));
    spline->postCreation(kTransactDo);
    for (int i = 1; i + 1 < positions.length(); ++i)
        spline->addPointUse(Point3D::make(parent, positions[i]));
    return StrongRefCreator<Spline3D>(spline);
}

StrongRefCreator<Spline3D> Spline3D::make(const StrongRef<Entity>& parent,
                                          const ZkGeNurbCurve3d& curve,
                                          const std::vector<ZkGePoint3d>& positions) {
    if (!parent || positions.empty())
        return {};
    const StrongRef<Point3D> start = Point3D::findOrMake(parent, positions.front());
    const StrongRef<Point3D> end =
        curve.isClosed() ? start : Point3D::findOrMake(parent, positions.back());
    StrongRef<Spline3D> spline(new Spline3D(parent.get(), &curve, start, end));
    spline->postCreation(kTransactDo);
    spline->addFitTangentHandles();
    return StrongRefCreator<Spline3D>(spline);
}

StrongRefCreator<Spline3D> Spline3D::make(const StrongRef<Entity>& parent,
                                          const ZkGeNurbCurve3d* curve,
                                          const std::vector<StrongRef<Point3D>>& points) {
    if (!parent)
        return {};
    const bool closed = curve && curve->isClosed();
    StrongRef<Point3D> start = points.empty() ? StrongRef<Point3D>() : points.front();
    StrongRef<Point3D> end = closed || points.empty() ? start : points.back();
    StrongRef<Spline3D> spline(new Spline3D(parent.get(), curve, start, end));
    spline->postCreation(kTransactDo);
    // The use lists exist only once the spline is created.
    const size_t interiorEnd = closed ? points.size() : points.size() - 1;
    for (size_t i = 1; i < interiorEnd && i < points.size(); ++i)
        spline->addPointUse(points[i]);
    if (curve)
        spline->addFitTangentHandles();
    return StrongRefCreator<Spline3D>(spline);
}

Spline3D::Spline3D(Entity* parent, const ZkGeNurbCurve3d* curve, const StrongRef<Point3D>& start,
                   const StrongRef<Point3D>& end)
    : Curve3D(parent) {
    if (curve)
        m_splineCurve = *curve;
    startPointField() = start;
    endPointField() = end;
    initializeMemberSetIfNeeded();
}

Spline3D::Spline3D(Entity* parent, int degree, const ZkGeKnotVector& knots,
                   const ZkArray<ZkGePoint3d>& controlPoints, const ZkArray<double>& weights,
                   bool periodic)
    : Curve3D(parent) {
    if (weights.isEmpty())
        m_splineCurve = ZkGeNurbCurve3d(degree, knots, controlPoints, {}, periodic);
    else
        m_splineCurve = ZkGeNurbCurve3d(degree, knots, controlPoints, weights, periodic);
    if (!controlPoints.isEmpty()) {
        const StrongRef<Entity> owner(parent);
        startPointField() = Point3D::findOrMake(owner, controlPoints.first());
        endPointField() = Point3D::findOrMake(owner, controlPoints.last());
    }
    initializeMemberSetIfNeeded();
}

Spline3D::Spline3D(Segment* segment, uint64_t id)
    : Curve3D(segment, id) {
    initializeMemberSetIfNeeded();
}

Spline3D::~Spline3D() = default;

void Spline3D::addFitTangentHandles() {
    ZkGeVector3d startTangent;
    ZkGeVector3d endTangent;
    m_splineCurve.getFitTangents(startTangent, endTangent);
    ZkGePoint3d position;
    if (m_splineCurve.hasStartTangent() && m_splineCurve.getFitPointAt(0, position))
        addTangentUse(0, TangentHandle::make(owner(), position, startTangent));
    const int last = m_splineCurve.numFitPoints() - 1;
    if (m_splineCurve.hasEndTangent() && m_splineCurve.getFitPointAt(last, position))
        addTangentUse(last, TangentHandle::make(owner(), position, endTangent));
}

// ---- persistence

void Spline3D::initializeMemberSet(uint32_t version, MemberSet& memberSet) {
    if (version > 2)
        return;
    registerMember(memberSet, "rStartPoint", startPointField());
    registerMember(memberSet, "rEndPoint", endPointField());
    registerMember(memberSet, "splineCurve", m_splineCurve);
    registerMember(memberSet, "fitPointsLimit", m_fitPointsLimit);
    registerMember(memberSet, "pointUses", m_pointUses);
    if (version == 2) {
        registerMember(memberSet, "tangentUses", m_tangentUses);
        registerMember(memberSet, "curvatureUses", m_curvatureUses);
        registerMember(memberSet, "handleScale", m_handleScale);
    }
    // The first splines were written before the curve base class had members
    // of its own, so their data holds none of them.
    if (version == 0)
        memberSet.setBase(&Geometry3D::memberSet());
}

void Spline3D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void Spline3D::onPostMigrate() {
    Curve3D::onPostMigrate();
    const uint32_t persisted = version();
    if (persisted >= s_metaType().version())
        return;
    postMigrate(persisted);
    version(s_metaType().version());
}

EMigrationStatus Spline3D::postMigrate(uint32_t oldVersion) {
    // Older splines had no handles; their scale is worked out when first needed.
    if (oldVersion < 2)
        m_handleScale = 0.0;
    return kMigrationDone;
}

// ---- life

void Spline3D::onPostCreation(int kind) {
    Curve3D::onPostCreation(kind);
    if (DataChange::test(kind, kTransactReplay))
        return;
    const StrongRef<Entity> self(this);
    m_pointUses = PointUses::make(self);
    addToCurveUses(kind, {startPoint()});
    if (endPoint() != startPoint())
        addToCurveUses(kind, {endPoint()});
    m_tangentUses = TangentUses::make(self);
    m_curvatureUses = CurvatureUses::make(self);
}

void Spline3D::onPreDeletion(int kind) {
    if (!DataChange::test(kind, kTransactReplay)) {
        EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
        // The handles go first, every one of them: releasing the points one
        // by one re-indexes the lists on the way.
        if (m_tangentUses)
            while (m_tangentUses->geometriesCount() > 0)
                removeTangent(m_tangentUses->tangents().begin()->first);
        if (m_curvatureUses)
            while (m_curvatureUses->geometriesCount() > 0)
                removeCurvature(m_curvatureUses->curvatures().begin()->first);
        const bool closed = isClosedSpline();
        removeStartPoint(true);
        if (closed)
            endPointField().reset();
        else
            removeEndPoint(true);
        if (m_pointUses) {
            const std::vector<StrongRef<Point3D>> interior = m_pointUses->points();
            for (const StrongRef<Point3D>& point : interior) {
                removePointUse(point);
                point->removeIfNoUse();
            }
        }
    }
    Curve3D::onPreDeletion(kind);
}

// ---- the curve

void Spline3D::getDefinitionData(int& degree, bool& rational, bool& periodic, ZkGeKnotVector& knots,
                                 ZkArray<ZkGePoint3d>& controlPoints,
                                 ZkArray<double>& weights) const {
    m_splineCurve.getDefinitionData(degree, rational, periodic, knots, controlPoints, weights);
}

bool Spline3D::getFitPoints(ZkArray<ZkGePoint3d>& points) const {
    const int count = m_splineCurve.numFitPoints();
    if (count == 0)
        return false;
    for (int i = 0; i < count; ++i) {
        ZkGePoint3d point;
        if (!m_splineCurve.getFitPointAt(i, point))
            return false;
        points.append(point);
    }
    return true;
}

void Spline3D::setCurve(const ZkGeCurve3d& curve) {
    if (!curve.isKindOf(ZkGe::kNurbCurve3d))
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_splineCurve = static_cast<const ZkGeNurbCurve3d&>(curve);
}

bool Spline3D::generateNewCurve(const std::vector<ZkGePoint3d>& positions, ZkGeNurbCurve3d& curve,
                                const ZkGeVector3d* startTangent, const ZkGeVector3d* endTangent,
                                const ZkGeVector3d* startCurvature,
                                const ZkGeVector3d* endCurvature) const {
    std::vector<ZkGePoint3d> points = positions;
    const bool closed = points.size() > 2 && points.front().isEqualTo(points.back());
    if (closed)
        points.pop_back();
    const int last = closed ? 0 : static_cast<int>(points.size()) - 1;
    SplineSolver solver(std::move(points), closed);
    if (startTangent)
        solver.tangent(0, *startTangent);
    if (endTangent)
        solver.tangent(last, *endTangent);
    if (startCurvature)
        solver.curvature(0, *startCurvature);
    if (endCurvature)
        solver.curvature(last, *endCurvature);
    return solver.solve(curve);
}

void Spline3D::solveCurve() {
    std::vector<ZkGePoint3d> positions;
    for (const StrongRef<Point3D>& point : fitPointEntities())
        positions.push_back(point->point());
    SplineSolver solver(std::move(positions), isClosedSpline());
    if (m_tangentUses)
        for (const auto& [index, handle] : m_tangentUses->tangents())
            solver.tangent(index, handle->tangent());
    if (m_curvatureUses)
        for (const auto& [index, handle] : m_curvatureUses->curvatures())
            solver.curvature(index, handle->curvature());
    ZkGeNurbCurve3d fitted;
    if (solver.solve(fitted))
        setCurve(fitted);
}

void Spline3D::setFitPointLimit(unsigned int limit) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_fitPointsLimit = limit;
}

// ---- fit points

bool Spline3D::isClosedSpline() const {
    return startPoint() && startPoint() == endPoint();
}

int Spline3D::fitPoints() const {
    int count = m_pointUses ? static_cast<int>(m_pointUses->geometriesCount()) : 0;
    if (startPoint())
        ++count;
    if (endPoint() && !isClosedSpline())
        ++count;
    return count;
}

StrongRef<Point3D> Spline3D::fitPoint(int index) const {
    const int count = fitPoints();
    if (index == 0 || (index == count && isClosedSpline()))
        return startPoint();
    if (index < 0 || index >= count)
        return {};
    if (index == count - 1 && !isClosedSpline())
        return endPoint();
    const auto& interior = m_pointUses->points();
    const size_t at = static_cast<size_t>(index - 1);
    return at < interior.size() ? interior[at] : StrongRef<Point3D>();
}

int Spline3D::fitPointIndex(const StrongRef<Point3D>& point) const {
    if (!point)
        return -1;
    if (point == startPoint())
        return 0;
    if (m_pointUses) {
        const auto& interior = m_pointUses->points();
        for (size_t i = 0; i < interior.size(); ++i)
            if (interior[i] == point)
                return static_cast<int>(i) + 1;
    }
    return point == endPoint() ? fitPoints() - 1 : -1;
}

std::vector<StrongRef<Point3D>> Spline3D::fitPointEntities() const {
    std::vector<StrongRef<Point3D>> points;
    if (startPoint())
        points.push_back(startPoint());
    if (m_pointUses)
        points.insert(points.end(), m_pointUses->points().begin(), m_pointUses->points().end());
    if (endPoint() && !isClosedSpline())
        points.push_back(endPoint());
    return points;
}

std::vector<PassiveRef<Point3D>> Spline3D::deleteNominees() const {
    const std::vector<StrongRef<Point3D>> points = fitPointEntities();
    return std::vector<PassiveRef<Point3D>>(points.begin(), points.end());
}

void Spline3D::rearrangeHandles(int index, bool decrement) {
    if (m_tangentUses)
        m_tangentUses->rearrangeIndex(index, decrement);
    if (m_curvatureUses)
        m_curvatureUses->rearrangeIndex(index, decrement);
}

void Spline3D::addPointUse(const StrongRef<Point3D>& point) {
    if (!point || !m_pointUses)
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    point->addCurveUse(PassiveRef<Curve3D>(this));
    m_pointUses->add(point);
    rearrangeHandles(static_cast<int>(m_pointUses->geometriesCount()), false);
    onAddPoint(point->point());
}

void Spline3D::insertPointUse(int index, const StrongRef<Point3D>& point) {
    if (!point || !m_pointUses || index < 0)
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    point->addCurveUse(PassiveRef<Curve3D>(this));
    m_pointUses->insert(index, point);
    rearrangeHandles(index + 1, false);
    onInsertPoint(index, point->point());
}

void Spline3D::removePointUse(const StrongRef<Point3D>& point) {
    const int index = fitPointIndex(point);
    if (index < 0)
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    const bool closed = isClosedSpline();
    if (point == startPoint() || point == endPoint()) {
        const bool atStart = point == startPoint();
        if (atStart)
            removeStartPoint(true);
        else
            removeEndPoint(true);
        if (!m_pointUses || m_pointUses->geometriesCount() == 0)
            return;
        const StrongRef<Point3D> promoted =
            atStart ? m_pointUses->points().front() : m_pointUses->points().back();
        m_pointUses->remove(promoted);
        if (atStart)
            startPointField() = promoted;
        if (!atStart || closed)
            endPointField() = promoted;
        return;
    }
    removeTangent(index);
    removeCurvature(index);
    rearrangeHandles(index, true);
    onRemovePoint(index);
    m_pointUses->remove(point);
    point->removeCurveUse(PassiveRef<Curve3D>(this));
}

void Spline3D::removeStartPoint(bool removeUnused) {
    const StrongRef<Point3D> start = startPoint();
    if (!start)
        return;
    removeTangent(0);
    onRemoveTangent(0);
    removeCurvature(0);
    onRemoveCurvature(0);
    rearrangeHandles(1, true);
    start->removeCurveUse(PassiveRef<Curve3D>(this));
    if (removeUnused)
        start->removeIfNoUse();
    startPointField().reset();
    onRemovePoint(0);
}

void Spline3D::removeEndPoint(bool removeUnused) {
    const StrongRef<Point3D> end = endPoint();
    if (!end)
        return;
    const int index = fitPoints() - 1;
    removeTangent(index);
    onRemoveTangent(index);
    removeCurvature(index);
    onRemoveCurvature(index);
    end->removeCurveUse(PassiveRef<Curve3D>(this));
    if (removeUnused)
        end->removeIfNoUse();
    endPointField().reset();
    onRemovePoint(index);
}

// ---- handles

void Spline3D::addTangentUse(int index, const StrongRef<TangentHandle>& handle) {
    if (!handle)
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    if (!m_tangentUses)
        m_tangentUses = TangentUses::make(StrongRef<Entity>(this));
    handle->addCurveUse(PassiveRef<Curve3D>(this));
    m_tangentUses->insert(index, handle);
    onAddTangent(index, handle->tangent());
}

void Spline3D::addCurvatureUse(int index, const StrongRef<CurvatureHandle>& handle) {
    if (!handle)
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    if (!m_curvatureUses)
        m_curvatureUses = CurvatureUses::make(StrongRef<Entity>(this));
    handle->addCurveUse(PassiveRef<Curve3D>(this));
    m_curvatureUses->insert(index, handle);
    onAddCurvature(index, handle->curvature());
}

void Spline3D::removeTangent(const StrongRef<TangentHandle>& handle) {
    if (!handle)
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    if (!m_tangentUses) {
        handle->removeCurveUse(PassiveRef<Curve3D>(this));
        handle->removeIfNoUse();
        return;
    }
    for (const auto& [index, held] : m_tangentUses->tangents()) {
        if (held == handle) {
            const int at = index;
            removeTangent(at);
            onRemoveTangent(at);
            return;
        }
    }
}

void Spline3D::removeCurvature(const StrongRef<CurvatureHandle>& handle) {
    if (!handle)
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    if (!m_curvatureUses) {
        handle->removeCurveUse(PassiveRef<Curve3D>(this));
        handle->removeIfNoUse();
        return;
    }
    for (const auto& [index, held] : m_curvatureUses->curvatures()) {
        if (held == handle) {
            const int at = index;
            removeCurvature(at);
            onRemoveCurvature(at);
            return;
        }
    }
}

void Spline3D::removeTangent(int index) {
    if (!m_tangentUses || !m_tangentUses->contains(index))
        return;
    const StrongRef<TangentHandle> handle = m_tangentUses->tangents().at(index);
    m_tangentUses->remove(index);
    handle->removeCurveUse(PassiveRef<Curve3D>(this));
    handle->removeIfNoUse();
}

void Spline3D::removeCurvature(int index) {
    if (!m_curvatureUses || !m_curvatureUses->contains(index))
        return;
    const StrongRef<CurvatureHandle> handle = m_curvatureUses->curvatures().at(index);
    m_curvatureUses->remove(index);
    handle->removeCurveUse(PassiveRef<Curve3D>(this));
    handle->removeIfNoUse();
}

bool Spline3D::hasTangent(int index) const {
    return m_tangentUses && m_tangentUses->contains(index);
}

bool Spline3D::hasCurvature(int index) const {
    return m_curvatureUses && m_curvatureUses->contains(index);
}

double Spline3D::handleScale() {
    if (std::abs(m_handleScale) < 1e-6) {
        const ZkGeBoundBlock3d box = m_splineCurve.boundBlock();
        m_handleScale = box.minPoint().distanceTo(box.maxPoint()) / 10.0;
    }
    return m_handleScale;
}

// ---- continuity

PassiveRef<Curve3D> Spline3D::startContinuityCurve(bool& option1, bool& option2,
                                                   EContinuityFlag& flag) const {
    option1 = m_startContinuityOptions[0];
    option2 = m_startContinuityOptions[1];
    flag = m_startContinuityFlag;
    return m_startContinuityCurve;
}

PassiveRef<Curve3D> Spline3D::endContinuityCurve(bool& option1, bool& option2,
                                                 EContinuityFlag& flag) const {
    option1 = m_endContinuityOptions[0];
    option2 = m_endContinuityOptions[1];
    flag = m_endContinuityFlag;
    return m_endContinuityCurve;
}

void Spline3D::setStartContinuityCurve(const PassiveRef<Curve3D>& curve, bool option1, bool option2,
                                       EContinuityFlag flag) {
    setContinuityCurve(0, m_startContinuityCurve, m_startContinuityOptions, m_startContinuityFlag,
                       curve, option1, option2, flag);
}

void Spline3D::setEndContinuityCurve(const PassiveRef<Curve3D>& curve, bool option1, bool option2,
                                     EContinuityFlag flag) {
    setContinuityCurve(fitPoints() - 1, m_endContinuityCurve, m_endContinuityOptions,
                       m_endContinuityFlag, curve, option1, option2, flag);
}

void Spline3D::setContinuityCurve(int index, PassiveRef<Curve3D>& curve, bool (&options)[2],
                                  EContinuityFlag& flag, const PassiveRef<Curve3D>& newCurve,
                                  bool option1, bool option2, EContinuityFlag newFlag) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    curve = newCurve;
    options[0] = option1;
    options[1] = option2;
    if (!(newCurve && newFlag != kNoContinuity)) {
        // The conditions the old blend put on this end no longer hold.
        if (flag & kTangentContinuity) {
            onRemoveTangent(index);
        } else if (flag & kCurvatureContinuity) {
            onRemoveTangent(index);
            onRemoveCurvature(index);
        }
    }
    flag = newFlag;
}

// ---- closing and opening

bool Spline3D::isClosed(double) const {
    return isClosedSpline();
}

void Spline3D::makeClosed(bool close) {
    if (close && !isClosedSpline() && startPoint()) {
        if (endPoint() && start().isEqualTo(end()) && fitPoints() <= 3)
            return;
        EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
        if (endPoint() && start().isEqualTo(end()))
            removeEndPoint(true);
        if (endPoint())
            m_pointUses->add(endPoint());
        endPointField() = startPoint();
    } else if (!close && isClosedSpline() && m_pointUses && m_pointUses->geometriesCount() > 0) {
        EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
        const StrongRef<Point3D> last = m_pointUses->points().back();
        m_pointUses->remove(last);
        endPointField() = last;
        // Drawn as an end point from now on.
        Scene::nodeData(last)->revalidate(kChangeAppearance);
    }
    solveCurve();
}

bool Spline3D::degenerate() const {
    return m_splineCurve.isDegenerate(ZkGeContext::gTol);
}

ZkGeVector3d Spline3D::GetCurveTangentAtEndPoint() const {
    ZkGeVector3d startTangent;
    ZkGeVector3d endTangent;
    if (m_splineCurve.getFitTangents(startTangent, endTangent))
        return endTangent;
    return ZkGeVector3d::kXAxis;
}

// ---- derived curves

ZkArray<ZkGePoint3d>
Spline3D::closingPositions(const std::vector<StrongRef<Point3D>>& points) const {
    ZkArray<ZkGePoint3d> positions;
    for (const StrongRef<Point3D>& point : points)
        positions.append(point->point());
    if (isClosedSpline() && !positions.isEmpty())
        positions.append(positions.first());
    return positions;
}

StrongRef<Spline3D> Spline3D::derived(const ZkArray<ZkGePoint3d>& positions, bool closed) const {
    StrongRef<Spline3D> spline = make(owner(), positions, closed);
    if (spline)
        spline->solveCurve();
    return spline;
}

StrongRef<Curve3D> Spline3D::reverseCurve() {
    std::vector<StrongRef<Point3D>> points = fitPointEntities();
    if (isClosedSpline() && !points.empty())
        std::reverse(points.begin() + 1, points.end());
    else
        std::reverse(points.begin(), points.end());
    return derived(closingPositions(points), isClosedSpline());
}

StrongRef<Spline3D> Spline3D::cloneTransformedCurve(bool, const ZkGeMatrix3d& matrix) {
    ZkArray<ZkGePoint3d> positions = closingPositions(fitPointEntities());
    for (ZkGePoint3d& position : positions)
        position.transformBy(matrix);
    return derived(positions, isClosedSpline());
}

StrongRef<Curve3D> Spline3D::transformBy(const ZkGeMatrix3d& matrix) {
    return cloneTransformedCurve(true, matrix);
}

StrongRef<Curve3D> Spline3D::clone() {
    return cloneTransformedCurve(false, ZkGeMatrix3d::kIdentity);
}

void Spline3D::SplitInTwo(const StrongRef<Point3D>& at, StrongRef<Curve3D>& first,
                          StrongRef<Curve3D>& second) {
    if (!at || !startPoint() || !endPoint())
        return;
    std::unique_ptr<ZkGeCurve3d> pieces[2];
    m_splineCurve.getSplitCurves(m_splineCurve.paramOf(at->point()), pieces[0], pieces[1]);
    StrongRef<Curve3D>* outputs[2] = {&first, &second};
    for (int i = 0; i < 2; ++i) {
        const auto* piece = static_cast<const ZkGeNurbCurve3d*>(pieces[i].get());
        ZkArray<ZkGePoint3d> positions;
        ZkGeTol tol;
        bool tangentsExist = false;
        ZkGeVector3d startTangent;
        ZkGeVector3d endTangent;
        if (piece && piece->getFitData(positions, tol, tangentsExist, startTangent, endTangent))
            *outputs[i] = derived(positions, false);
    }
}

// ---- scene and text

bool Spline3D::onReferences(const StrongRef<Point3D>& point) const {
    return point && (point == startPoint() || point == endPoint());
}

void Spline3D::onTranslate(const ZkGeVector3d&) {
    // The fit points move as entities of their own; the spline only notes it.
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
}

void Spline3D::onCreateGeometryNode(Scene::NodeChange& change) {
    Curve3D::onCreateGeometryNode(change);
    Wyn::Graphics::ARenderNode* node = change.createNurbsCurveNode(this);
    sceneNode(node);
    change.addChild(node);
}

void Spline3D::realizeGeometry(Scene::NodeChange& change) {
    // A spline of fewer than two fit points has no curve to draw.
    Wyn::Graphics::ARenderNode* node = curveNode();
    if (node && m_splineCurve.numControlPoints() > 0)
        Scene::NodeChange(node).setNurbsCurve(m_splineCurve);
    Curve3D::realizeGeometry(change);
}

void* Spline3D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Curve3D::queryInterface(id);
}

std::wstring Spline3D::onToString() const {
    const ZkGePoint3d s = start();
    const ZkGePoint3d e = end();
    return (boost::wformat(L"Spline3D from (%1%, %2%, %3%) to (%4%, %5%, %6%) with %7% fit "
                           L"points (Base %8%)") %
            s.x % s.y % s.z % e.x % e.y % e.z % fitPoints() % Curve3D::onToString())
        .str();
}

} // namespace Kv::Geometry
