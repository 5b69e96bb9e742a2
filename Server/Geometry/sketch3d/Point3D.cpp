#include "Geometry/sketch3d/Point3D.h"

#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/Curve3D.h"
#include "Geometry/curves3d/EllipticArc3D.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/selection/SketchPointSelection.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/DeletePoint3DRequest.h"
#include "Geometry/sketch3d/GeometryGroup3D.h"
#include "Geometry/sketch3d/PointIndex.h"
#include "Geometry/sketch3d/PointUses.h"
#include "Kv/Base/Resources.h"
#include "Kv/Base/Types.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/Scene/BuildSimpleMesh.h"
#include "Kv/Scene/ImageResource.h"
#include "Kv/Scene/NodeChange.h"
#include "ZkGeContext.h"
#include "ZkGeCurve3d.h"

#include <boost/format.hpp>

namespace Kv::Geometry {
namespace {

bool isHandle(const Curve3D& curve) {
    const Geometry3D::EGeometry3DType type = curve.geomType();
    return type == Geometry3D::kTangentHandle || type == Geometry3D::kCurvatureHandle;
}

// Whether `curve` uses `position` as something other than a plain end: an
// arc or ellipse centre, or a spline fit point.
bool usesAsDefiningPoint(Curve3D& curve, const ZkGePoint3d& position) {
    const ZkGeTol& tol = ZkGeContext::gTol;
    if (auto* arc = ::Kv::queryInterface<CircArc3D>(&curve))
        return arc->centerPoint() && arc->centerPoint()->point().isEqualTo(position, tol);
    if (auto* ellipse = ::Kv::queryInterface<EllipticArc3D>(&curve))
        return ellipse->centerPoint() && ellipse->centerPoint()->point().isEqualTo(position, tol);
    if (auto* spline = ::Kv::queryInterface<Spline3D>(&curve)) {
        if (!spline->pointUses())
            return false;
        for (const StrongRef<Point3D>& fit : spline->pointUses()->points())
            if (fit && fit->point().isEqualTo(position, tol))
                return true;
    }
    return false;
}

} // namespace

KV_GEOMETRY_ENTITY_IMPL(Point3D)

StrongRefCreator<Point3D> Point3D::make(const StrongRef<Entity>& parent,
                                        const ZkGePoint3d& position) {
    if (!parent)
        return {};
    StrongRef<Point3D> point(new Point3D(parent.get(), position));
    point->postCreation(kTransactDo);
    return StrongRefCreator<Point3D>(point);
}

StrongRef<Point3D> Point3D::findOrMake(const StrongRef<Entity>& parent,
                                       const ZkGePoint3d& position) {
    auto* group = ::Kv::queryInterface<Managed::ManagedGroupEntity>(parent.get());
    if (group && group->childCount() > 0) {
        const PointIndex* index = PointIndex::of(parent.get());
        Point3D* found = index ? index->find(position, ZkGeContext::gTol)
                               : PointIndex::walk(*group, position, ZkGeContext::gTol);
        if (found)
            return StrongRef<Point3D>(found);
    }
    return make(parent, position);
}

Point3D::Point3D(Entity* parent, const ZkGePoint3d& position)
    : Geometry3D(parent)
    , m_point(position) {
    initializeMemberSetIfNeeded();
}

Point3D::Point3D(Segment* segment, uint64_t id)
    : Geometry3D(segment, id) {
    initializeMemberSetIfNeeded();
}

void Point3D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "point", m_point);
    registerMember(memberSet, "curveUses", m_curveUses);
    registerMember(memberSet, "isFixed", m_isFixed);
}

void Point3D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void Point3D::onPostCreation(int kind) {
    Geometry3D::onPostCreation(kind);
    if (!DataChange::test(kind, kTransactReplay))
        m_curveUses = CurveUses::make(StrongRef<Entity>(this));
}

void Point3D::onPostChange(const EntityChange& change) {
    Geometry3D::onPostChange(change);
    const unsigned type = change.changeType();
    if (type != kChangeGeometry && type != kChangeEverything)
        return;
    if (PointIndex* index = PointIndex::of(parentEntity()))
        index->pointChanged(this);
}

void Point3D::point(const ZkGePoint3d& position) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_point = position;
}

void Point3D::fixed(bool fixed) {
    EntityChange change(this, kTransactDo, kChangeEverything, 3, nullptr, true);
    m_isFixed = fixed;
}

void Point3D::isVisibleDontTransact(bool visible) {
    EntityChange change(this, kTransactNoUndo, kChangeAppearance, 3, nullptr, true);
    visibleField() = visible;
}

void Point3D::addCurveUse(const PassiveRef<Curve3D>& curve) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    if (m_curveUses)
        m_curveUses->add(curve);
}

void Point3D::removeCurveUse(const PassiveRef<Curve3D>& curve) {
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    if (m_curveUses)
        m_curveUses->remove(curve);
}

void Point3D::removeIfNoUse() {
    if (m_curveUses && m_curveUses->geometriesCount() > 0)
        return;
    Entity* parent = parentEntity();
    if (!parent || parent->isDestroying() || parent->isScheduledForDeletion())
        return;
    if (auto* group = ::Kv::queryInterface<CommonData::CommonBaseGroupEntity>(parent))
        group->removeChild(StrongRef<Entity>(this));
}

bool Point3D::isShareablePoint() const {
    if (!m_curveUses || m_curveUses->geometriesCount() == 0)
        return false;
    for (const PassiveRef<Curve3D>& use : m_curveUses->curves()) {
        Curve3D* curve = use.getTarget();
        if (!curve)
            continue;
        if (isHandle(*curve) || usesAsDefiningPoint(*curve, m_point))
            return false;
    }
    return true;
}

bool Point3D::isHandleUses() const {
    if (!m_curveUses)
        return false;
    for (const PassiveRef<Curve3D>& use : m_curveUses->curves())
        if (Curve3D* curve = use.getTarget(); curve && isHandle(*curve))
            return true;
    return false;
}

bool Point3D::isPurgeable(std::vector<PassiveRef<Curve3D>> curves) const {
    if (!m_curveUses)
        return true;
    for (const PassiveRef<Curve3D>& use : m_curveUses->curves())
        for (const PassiveRef<Curve3D>& curve : curves)
            if (use != curve)
                return false;
    return true;
}

void Point3D::referencingGeometry(const StrongRef<Managed::ManagedGroupEntity>& group,
                                  std::vector<StrongRef<GeometryBase3D>>& geometry) const {
    if (!group)
        return;
    const StrongRef<Point3D> self(const_cast<Point3D*>(this));
    for (const StrongRef<Entity>& child : group->children()) {
        if (auto* base = ::Kv::queryInterface<GeometryBase3D>(child.get());
            base && base->references(self))
            geometry.emplace_back(base);
        if (auto* inner = ::Kv::queryInterface<GeometryGroup3D>(child.get()))
            referencingGeometry(StrongRef<Managed::ManagedGroupEntity>(inner), geometry);
    }
}

double Point3D::distanceTo(const ZkGePoint3d& position) const {
    return m_point.distanceTo(position);
}

double Point3D::distanceTo(const Curve3D& curve) const {
    return curve.curve().distanceTo(m_point, ZkGeContext::gTol);
}

bool Point3D::getPosition(ZkGePoint3d& position) const {
    position = m_point;
    return true;
}

bool Point3D::onCanDelete(const ObjectPath& path) {
    if (!m_curveUses || m_curveUses->geometriesCount() == 0)
        return Geometry3D::onCanDelete(path);
    for (const PassiveRef<Curve3D>& use : m_curveUses->curves()) {
        auto* spline = ::Kv::queryInterface<Spline3D>(use.getTarget());
        if (!spline)
            return false;
        const int fewest = spline->isClosed(1e-6) ? 4 : 3;
        if (spline->fitPoints() < fewest)
            return false;
    }
    return true;
}

Request* Point3D::onProvideDeleteRequest(const ObjectPath& path) {
    if (::Kv::queryInterface<Geometry3D>(path.leaf()) != this)
        return Geometry3D::onProvideDeleteRequest(path);
    return DeletePoint3DRequest::make(asset(), PassiveRef<Geometry3D>(this));
}

StrongRef<LogicalSelection> Point3D::onCreateLogicalSelection(const ObjectPath& path) {
    const StrongRef<LogicalSelection> picked = GeometryBase3D::onCreateLogicalSelection(path);
    if (!picked)
        return picked;
    return SketchPointSelection::make(picked->path(), StrongRef<Point3D>(this));
}

bool Point3D::onProvideNominalHitInfo(const LogicalSelection*, const ZkGeMatrix3d& transform,
                                      ZkGePoint3d& point, ZkGeMatrix3d& pointTransform) const {
    point = m_point;
    pointTransform = transform;
    return true;
}

bool Point3D::getOnk(Onk& key) {
    std::wstring name;
    if (!getOnkName(name))
        return false;
    key.setName(L"Point" + name);
    key.setRepresentation(Types::Point3dToString(m_point));
    return true;
}

// Screen-sized, and turned to face the viewer so that a point of a sketch
// seen edge-on still shows.
void Point3D::onCreateScene(Scene::NodeChange& change) {
    Geometry3D::onCreateScene(change);
    change.pixelScale(1.0, 2.0, ZkGePoint3d::kOrigin, false, 0);
    change.billboard(ZkGePoint3d::kOrigin, 1, ZkGeVector3d::kYAxis, false, 0);
    change.depthPriority(10, false, 0);
}

void Point3D::realizeTransform(Scene::NodeChange& change) {
    change.transform(ZkGeMatrix3d::translation(m_point.asVector()), false, false, 0);
}

// One quad the size of the point image, in pixels about the point.
void Point3D::realizeGeometry(Scene::NodeChange& change) {
    int w = 0, h = 0;
    Resources::PointImage()->size(w, h);
    const float x = float(w), y = float(h);
    const std::vector<Point3f> corners{{-x, -y, 0}, {x, -y, 0}, {x, y, 0}, {-x, y, 0}};
    const std::vector<Point3f> normals(4, Point3f(0, 0, 1));
    const std::vector<Scene::TexCoord> texture{{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    const std::vector<unsigned> indices{0, 1, 2, 2, 3, 0};
    change.geometry(Scene::BuildSimpleMesh(4, corners, normals, texture, indices), 15);
}

bool Point3D::isDrawnByItsCurves() const {
    if (m_isFixed || !isVisible() || !m_curveUses)
        return false;
    bool any = false;
    for (const PassiveRef<Curve3D>& use : m_curveUses->curves()) {
        const Curve3D* curve = use.getTarget();
        if (!curve)
            continue;
        if (curve->startPoint().get() != this && curve->endPoint().get() != this)
            return false;
        any = true;
    }
    return any;
}

void Point3D::realizeAppearance(Scene::NodeChange& change) {
    if (isDrawnByItsCurves()) {
        change.visibility(false, false, 0);
        change.selectability(true, 2, nullptr, false, 0);
        return;
    }
    const Scene::ImageResource* image =
        m_isFixed ? Resources::FixedPointImage() : Resources::PointImage();
    change.occludedEffect(image->localPath(), Color(1, 1, 1, 1), -1.0, -1.0, false, 0);
    change.selectability(true, 2, nullptr, false, 0);
    if (isVisible())
        change.removeAttribute(0);
    else
        change.visibility(false, false, 0);
}

void Point3D::onTranslate(const ZkGeVector3d& offset) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_point = m_point + offset;
}

void* Point3D::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = Geometry3D::queryInterface(id))
        return base;
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

std::wstring Point3D::onToString() const {
    return (boost::wformat(L"Point3D at (%1%, %2%) (Base %3%)") % m_point.x % m_point.y %
            Geometry3D::onToString())
        .str();
}

} // namespace Kv::Geometry
