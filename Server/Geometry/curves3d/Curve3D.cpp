#include "Geometry/curves3d/Curve3D.h"

#include "Geometry/math/Curve3DCurvatureEvaluator.h"
#include "Geometry/selection/SketchCurveSelection.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Kv/Base/Types.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/Scene/BuildSimpleMesh.h"
#include "Kv/Scene/EnvironmentEventSource.h"
#include "Kv/Scene/EnvironmentManager.h"
#include "Kv/Scene/NodeChange.h"
#include "Wyn/Graphics/Attribute.h"
#include "ZkGeContext.h"
#include "ZkGeCurve3d.h"

#include <boost/format.hpp>

#include <algorithm>
#include <cmath>
#include <set>

namespace Kv::Geometry {
namespace {

const Color kFixedColor(0.0f, 0.4f, 0.0f, 1.0f);
const Color kFreeColor(0.0f, 0.0f, 0.0f, 1.0f);
// 43, 145, 175 of 255.
const Color kSpineColor(0.16862746f, 0.5686275f, 0.6862745f, 1.0f);
const Color kOutlineColor(1.0f, 0.0f, 0.0f, 1.0f);
// The weight sketch curves are drawn with in the environment's colours.
constexpr double kEnvironmentLineWeight = 1.5;
constexpr unsigned kCombNodeFlags[] = {0x10000, 0x100000};
constexpr int kSegments = 2;
constexpr int kLineStrip = 3;

Point3f toPoint3f(const ZkGePoint3d& p) {
    return Point3f(float(p.x), float(p.y), float(p.z));
}

} // namespace

KV_GEOMETRY_ENTITY_IMPL(Curve3D)

Curve3D::Curve3D(Entity* parent)
    : Geometry3D(parent) {
    initializeMemberSetIfNeeded();
    Scene::EnvironmentEventSource::subscribe(this);
}

Curve3D::Curve3D(Segment* segment, uint64_t id)
    : Geometry3D(segment, id) {
    initializeMemberSetIfNeeded();
    Scene::EnvironmentEventSource::subscribe(this);
}

void Curve3D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "isFixed", m_isFixed);
    registerMember(memberSet, "useEnvironmentColors", m_useEnvironmentColors);
    // The comb is a per-view display preference: copies do not carry it.
    registerMember(memberSet, "m_bShowCurvComb", m_bShowCurvComb).clearOption(Member::kCopied);
    registerMember(memberSet, "m_combDensity", m_combDensity).clearOption(Member::kCopied);
    registerMember(memberSet, "m_combScale", m_combScale).clearOption(Member::kCopied);
}

void Curve3D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

ZkGePoint3d Curve3D::start() const {
    return m_startPoint ? m_startPoint->point() : ZkGePoint3d::kOrigin;
}

ZkGePoint3d Curve3D::end() const {
    return m_endPoint ? m_endPoint->point() : ZkGePoint3d::kOrigin;
}

void Curve3D::setStartPoint(const StrongRef<Point3D>& point) {
    replacePoint(m_startPoint, m_endPoint, point);
}

void Curve3D::setEndPoint(const StrongRef<Point3D>& point) {
    replacePoint(m_endPoint, m_startPoint, point);
}

// A closed curve that keeps the old point as its other end keeps its use of
// that point too, so that the point's list still names every curve on it.
void Curve3D::replacePoint(StrongRef<Point3D>& field, const StrongRef<Point3D>& other,
                           const StrongRef<Point3D>& point) {
    if (!point || point == field)
        return;
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    const StrongRef<Point3D> old = field;
    field = point;
    point->addCurveUse(PassiveRef<Curve3D>(this));
    if (old && old != other) {
        old->removeCurveUse(PassiveRef<Curve3D>(this));
        old->removeIfNoUse();
    }
}

void Curve3D::addToCurveUses(int kind, std::initializer_list<StrongRef<Point3D>> points) {
    if (DataChange::test(kind, kTransactReplay))
        return;
    for (const StrongRef<Point3D>& point : points)
        if (point)
            point->addCurveUse(PassiveRef<Curve3D>(this));
}

void Curve3D::releasePoints(int kind, std::initializer_list<StrongRef<Point3D>*> points) {
    if (DataChange::test(kind, kTransactReplay))
        return;
    // The references go inside a recorded change, so that undoing the
    // deletion brings the curve back with its points.
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    for (StrongRef<Point3D>* field : points) {
        const StrongRef<Point3D> point = *field;
        if (!point)
            continue;
        point->removeCurveUse(PassiveRef<Curve3D>(this));
        point->removeIfNoUse();
        field->reset();
    }
}

bool Curve3D::bounded() const {
    return m_startPoint && m_endPoint && m_startPoint != m_endPoint;
}

std::vector<PassiveRef<Point3D>> Curve3D::deleteNominees() const {
    std::vector<PassiveRef<Point3D>> nominees;
    for (const StrongRef<Point3D>& point : {m_startPoint, m_endPoint})
        if (point)
            nominees.emplace_back(point.get());
    return nominees;
}

double Curve3D::distanceTo(const ZkGePoint3d& position) const {
    return curve().distanceTo(position, ZkGeContext::gTol);
}

double Curve3D::distanceTo(const Curve3D& other) const {
    return curve().distanceTo(other.curve(), ZkGeContext::gTol);
}

template <class T> void Curve3D::setProperty(T& field, const T& value) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    field = value;
}

void Curve3D::fixed(bool fixed) {
    EntityChange change(this, kTransactDo, kChangeEverything, 3, nullptr, true);
    m_isFixed = fixed;
    lineColor(fixed ? kFixedColor : kFreeColor);
}

// Recorded like any other change of appearance: undo restores whole
// snapshots of the entity, so an unrecorded write would be lost to the undo
// of the next change anyway.
void Curve3D::useEnvironmentColors(bool use) {
    if (use == m_useEnvironmentColors)
        return;
    EntityChange change(this, kTransactDo, kChangeAppearance, 3, nullptr, true);
    m_useEnvironmentColors = use;
}

void Curve3D::showCurvatureComb(bool show) {
    setProperty(m_bShowCurvComb, show);
}
void Curve3D::combDensity(unsigned int density) {
    setProperty(m_combDensity, density);
}
void Curve3D::combScale(double scale) {
    setProperty(m_combScale, scale);
}

double Curve3D::defaultScale() {
    return Curve3DCurvatureEvaluator(StrongRef<Curve3D>(this)).calcDefaultScaleRatio();
}

unsigned int Curve3D::outlineSampleCount(unsigned int density) {
    const long long wanted = 16ll * density - 15;
    return static_cast<unsigned int>(std::clamp(wanted, 64ll, 512ll));
}

ZkGePoint3d Curve3D::middlePoint() const {
    std::vector<ZkGePoint3d> samples;
    curve().getSamplePoints(3, samples);
    return samples.size() == 3 ? samples[1] : start();
}

bool Curve3D::onProvideNominalHitInfo(const LogicalSelection*, const ZkGeMatrix3d& transform,
                                      ZkGePoint3d& point, ZkGeMatrix3d& pointTransform) const {
    point = middlePoint();
    pointTransform = transform;
    return true;
}

StrongRef<LogicalSelection> Curve3D::onCreateLogicalSelection(const ObjectPath& path) {
    const StrongRef<LogicalSelection> picked = GeometryBase3D::onCreateLogicalSelection(path);
    if (!picked)
        return picked;
    return SketchCurveSelection::make(picked->path(), StrongRef<Geometry3D>(this));
}

bool Curve3D::getOnk(Onk& key) {
    std::wstring name;
    if (!getOnkName(name))
        return false;
    key.setName(onkWord() + name);
    key.setRepresentation(Types::Point3dToString(middlePoint()));
    return true;
}

Wyn::Graphics::ARenderNode* Curve3D::sceneNode() const {
    if (Wyn::Graphics::GroupNode* group = groupNode())
        return group;
    return Geometry3D::sceneNode();
}

void Curve3D::sceneNode(Wyn::Graphics::ARenderNode* node) {
    if (auto* group = dynamic_cast<Wyn::Graphics::GroupNode*>(node))
        combNodes().group = group;
    else
        Geometry3D::sceneNode(node);
}

Curve3D::CombNodes& Curve3D::combNodes() {
    if (!m_combNodes)
        m_combNodes = std::make_unique<CombNodes>();
    return *m_combNodes;
}

void Curve3D::onCreateGeometryNode(Scene::NodeChange& change) {
    combNodes().group = change.createGroupNode(this, 1, false, true);
}

void Curve3D::realizeGeometry(Scene::NodeChange&) {
    if (degenerate() || !groupNode())
        return;
    CombNodes& nodes = *m_combNodes;
    if (!m_bShowCurvComb) {
        dropCombNode(nodes.spines);
        dropCombNode(nodes.outline);
        return;
    }
    Scene::NodeChange group(nodes.group);
    makeCombNode(group, nodes.spines, kSpineColor);
    makeCombNode(group, nodes.outline, kOutlineColor);
    {
        Scene::NodeChange spines(nodes.spines);
        createCombSpinesNode(spines);
    }
    Scene::NodeChange outline(nodes.outline);
    createOutlineNode(outline);
}

void Curve3D::makeCombNode(Scene::NodeChange& group,
                           Wyn::Objects::Ref<Wyn::Graphics::GeometryNode>& field,
                           const Color& color) {
    if (field)
        return;
    field = group.createGeometryNode(this, true);
    Scene::NodeChange node(field);
    node.colorEffect(color, false, 0);
    node.occludedEffect("", color, color.alpha, -1.0, false, 0);
    group.addChild(field);
}

void Curve3D::dropCombNode(Wyn::Objects::Ref<Wyn::Graphics::GeometryNode>& field) {
    if (!field)
        return;
    Scene::NodeChange(field).clearSource();
    if (Wyn::Graphics::GroupNode* group = groupNode())
        Scene::NodeChange(group).removeChild(field);
    field = nullptr;
}

// The spines stand at the evaluator's adaptive parameters, which crowd where
// the curve bends; on a periodic curve one more is asked for, so that the
// first and the last spine meet at the seam.
void Curve3D::createCombSpinesNode(Scene::NodeChange& change) {
    Curve3DCurvatureEvaluator evaluator{StrongRef<Curve3D>(this)};
    const unsigned int count = m_combDensity + (evaluator.periodic() ? 1 : 0);
    std::set<double> params;
    if (!evaluator.sample(count, params))
        return;
    std::vector<Point3f> spines;
    spines.reserve(2 * params.size());
    for (double t : params) {
        ZkGePoint3d p;
        ZkGeVector3d tangent, curvature;
        if (!evaluator.evaluateCurvature(t, p, tangent, curvature))
            continue;
        spines.push_back(toPoint3f(p));
        spines.push_back(toPoint3f(p - curvature * m_combScale));
    }
    setCombMesh(change, kSegments, spines);
}

// The outline joins the spine tips of a much finer sampling, uniform in the
// parameter, so that it reads as a smooth curve between the spines.
void Curve3D::createOutlineNode(Scene::NodeChange& change) {
    Curve3DCurvatureEvaluator evaluator{StrongRef<Curve3D>(this)};
    double t0 = 0.0, t1 = 0.0;
    if (!evaluator.paramRange(t0, t1))
        return;
    const unsigned int count = outlineSampleCount(m_combDensity);
    std::vector<Point3f> tips;
    tips.reserve(count);
    for (unsigned int i = 0; i < count; ++i) {
        const double t = t0 + i * (t1 - t0) / (count - 1);
        ZkGePoint3d p;
        ZkGeVector3d tangent, curvature;
        if (evaluator.evaluateCurvature(t, p, tangent, curvature))
            tips.push_back(toPoint3f(p - curvature * m_combScale));
    }
    // A strip needs two points to draw anything.
    if (tips.size() >= 2)
        setCombMesh(change, kLineStrip, tips);
}

void Curve3D::setCombMesh(Scene::NodeChange& change, int primitiveType,
                          const std::vector<Point3f>& points) {
    if (points.empty())
        return;
    change.geometry(Scene::BuildSimpleMesh(primitiveType, points), 0xF);
    change.selectability(false, 0, nullptr, false, 0);
    for (unsigned flag : kCombNodeFlags)
        change.nodeFlags(flag, true);
}

Color Curve3D::lineDrawColor() const {
    if (!m_useEnvironmentColors)
        return lineColor();
    Scene::Environment* environment =
        Scene::EnvironmentManager::getEnvManager().activeEnvironment();
    return (m_isFixed ? environment->sketchFixedLineColor() : environment->sketchLineColor())
        .toColor();
}

void Curve3D::realizeAppearance(Scene::NodeChange& change) {
    Wyn::Graphics::ARenderNode* node = curveNode();
    if (!node)
        return;
    Scene::NodeChange curveChange(node);
    curveChange.occludedEffect("", lineDrawColor(), 1.0, 0.4, false, 0);
    // Each realisation sets both line styles afresh, so that a weight that
    // no longer applies does not linger on the node.
    const int lineStyle = static_cast<int>(Wyn::Graphics::AttributeType::LineStyle);
    if (m_useEnvironmentColors)
        change.lineStyle(kEnvironmentLineWeight, false, 0);
    else
        change.removeAttribute(lineStyle);
    const double thickness = lineThickness();
    if (std::fabs(thickness - 1.0) > 0.0001)
        curveChange.lineStyle(thickness, false, 0);
    else if (change.node() != node)
        curveChange.removeAttribute(lineStyle);
    curveChange.depthPriority(5, false, 0);
    curveChange.selectability(true, 2, nullptr, false, 0);
}

// The scene realises the new colours with the next pass; curves drawn in
// their own colours do not change.
void Curve3D::activeEnvironmentChanged(Event*) {
    if (m_useEnvironmentColors)
        revalidate(kChangeAppearance);
}

void Curve3D::releaseScene() {
    std::unique_ptr<CombNodes> nodes = std::move(m_combNodes);
    if (nodes)
        for (const auto* comb : {&nodes->spines, &nodes->outline})
            if (*comb)
                Scene::NodeChange(*comb).clearSource();
    if (Wyn::Graphics::ARenderNode* node = curveNode())
        Scene::NodeChange(node).clearSource();
    Geometry3D::sceneNode(nullptr);
    if (nodes && nodes->group) {
        Scene::NodeChange group(nodes->group);
        group.removeAllChildren();
        group.clearSource();
    }
}

void* Curve3D::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = Geometry3D::queryInterface(id))
        return base;
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

std::wstring Curve3D::onToString() const {
    return (boost::wformat(L"Curve3D: (Base %1%)") % Geometry3D::onToString()).str();
}

} // namespace Kv::Geometry
