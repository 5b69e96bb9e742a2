#include "Geometry/workgeometry/WorkAxis.h"

#include "Geometry/selection/WorkAxisExtentSelection.h"
#include "Geometry/selection/WorkAxisSelection.h"
#include "Geometry/workgeometry/WorkGeometries.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/Scene/BuildSimpleMesh.h"
#include "Kv/Scene/EnvironmentEventSource.h"
#include "Kv/Scene/EnvironmentManager.h"
#include "Kv/Scene/NodeChange.h"
#include "Wyn/Objects/BBox.h"
#include "ZkGeMatrix3d.h"

#include <boost/format.hpp>

namespace Kv::Geometry {
namespace {

// Axes are drawn a little heavier than sketch lines.
constexpr float kAxisLineThickness = 1.3f;
// How near (in pixels) a pick must come to an end to take it.
constexpr double kEndPickRadius = 10.0;
// The dash pattern of axes and its length along the line.
constexpr double kPatternScale = 25.0;

const UniqueString& centerLinePattern() {
    static const UniqueString pattern("CENTER");
    return pattern;
}

Point3f single(const ZkGePoint3d& point) {
    return Point3f(float(point.x), float(point.y), float(point.z));
}

} // namespace

KV_GEOMETRY_ENTITY_IMPL(WorkAxis)

StrongRefCreator<WorkAxis> WorkAxis::make(const StrongRef<Entity>& parent, const ZkGeLine3d& line) {
    if (!parent)
        return {};
    StrongRef<WorkAxis> axis(new WorkAxis(parent.get(), line));
    axis->postCreation(kTransactDo);
    return StrongRefCreator<WorkAxis>(axis);
}

StrongRefCreator<WorkAxis> WorkAxis::make(const StrongRef<Entity>& parent, const ZkGePoint3d& point,
                                          const ZkGeVector3d& direction) {
    return make(parent, ZkGeLine3d(point, direction));
}

StrongRefCreator<WorkAxis> WorkAxis::make(const StrongRef<Entity>& parent, const ZkGeLine3d& line,
                                          bool isOrigin, const std::wstring& originName) {
    if (!parent)
        return {};
    StrongRef<WorkAxis> axis(new WorkAxis(parent.get(), line, isOrigin, originName));
    axis->postCreation(kTransactDo);
    return StrongRefCreator<WorkAxis>(axis);
}

StrongRef<WorkAxis> WorkAxis::findOrMake(const StrongRef<Entity>& parent, const ZkGeLine3d& line) {
    if (auto* group = ::Kv::queryInterface<Managed::ManagedGroupEntity>(parent.get()))
        for (const StrongRef<Entity>& child : group->children())
            if (auto* axis = ::Kv::queryInterface<WorkAxis>(child.get()))
                if (axis->line().isEqualTo(line))
                    return StrongRef<WorkAxis>(axis);
    return make(parent, line);
}

WorkAxis::WorkAxis(Entity* parent, const ZkGeLine3d& line)
    : WorkGeometry(parent)
    , m_line(line) {
    lineThicknessField() = kAxisLineThickness;
    if (auto* collection = ::Kv::queryInterface<WorkGeometries>(parent))
        setUserId(collection->getNextWorkAxisID());
    initializeMemberSetIfNeeded();
    Scene::EnvironmentEventSource::subscribe(this);
}

// Origin axes are drawn short, from near the origin outwards.
WorkAxis::WorkAxis(Entity* parent, const ZkGeLine3d& line, bool isOrigin,
                   const std::wstring& originName)
    : WorkGeometry(parent, isOrigin, originName)
    , m_line(line)
    , m_lowerParam(0.175)
    , m_upperParam(2.25) {
    lineThicknessField() = kAxisLineThickness;
    initializeMemberSetIfNeeded();
    Scene::EnvironmentEventSource::subscribe(this);
}

WorkAxis::WorkAxis(Segment* segment, uint64_t id)
    : WorkGeometry(segment, id) {
    lineThicknessField() = kAxisLineThickness;
    initializeMemberSetIfNeeded();
    Scene::EnvironmentEventSource::subscribe(this);
}

WorkAxis::~WorkAxis() {
    Scene::EnvironmentEventSource::unsubscribe(this);
}

void WorkAxis::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "line", m_line);
    registerMember(memberSet, "lowerParam", m_lowerParam);
    registerMember(memberSet, "upperParam", m_upperParam);
}

void WorkAxis::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void WorkAxis::line(const ZkGeLine3d& line) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_line = line;
}

void WorkAxis::size(double& lower, double& upper) const {
    lower = m_lowerParam;
    upper = m_upperParam;
}

void WorkAxis::getExtents(ZkGePoint3d& lower, ZkGePoint3d& upper) const {
    lower = m_line.evalPoint(m_lowerParam);
    upper = m_line.evalPoint(m_upperParam);
}

void WorkAxis::setExtents(const ZkGePoint3d& a, const ZkGePoint3d& b) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_lowerParam = m_line.paramOf(m_line.closestPointTo(a));
    m_upperParam = m_line.paramOf(m_line.closestPointTo(b));
}

void WorkAxis::scaleExtents(double factor) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    const double growth = (m_upperParam - m_lowerParam) * factor;
    m_lowerParam -= growth;
    m_upperParam += growth;
}

void WorkAxis::setOneExtent(const ZkGePoint3d& point, bool lower) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    (lower ? m_lowerParam : m_upperParam) = m_line.paramOf(m_line.closestPointTo(point));
}

void WorkAxis::calculateExtentFromProjectionDirection(ZkGePoint3d& point, ZkGeVector3d direction,
                                                      const ZkGeMatrix3d& toWorld) const {
    const ZkGeMatrix3d toLocal = toWorld.inverse();
    point.transformBy(toLocal);
    direction.transformBy(toLocal);
    point = m_line.projClosestPointTo(point, direction);
}

int WorkAxis::extentHandleAt(const ZkGePoint3d& hit, const ScreenProjection& toScreen) const {
    if (isOrigin())
        return 0;
    ZkGePoint3d lower, upper;
    getExtents(lower, upper);
    const ZkGePoint3d at = onScreen(toScreen, hit);
    if (onScreen(toScreen, lower).distanceTo(at) < kEndPickRadius)
        return kLowerEnd;
    if (onScreen(toScreen, upper).distanceTo(at) < kEndPickRadius)
        return kUpperEnd;
    return 0;
}

void WorkAxis::realizeGeometry(Scene::NodeChange& change) {
    ZkGePoint3d lower, upper;
    getExtents(lower, upper);
    change.geometry(Scene::BuildSimpleMesh(3, {single(lower), single(upper)}), 15);
    change.modelBox(Wyn::Objects::BBox(lower, upper));
}

// Origin axes keep a fixed size on screen about the line's point.
void WorkAxis::realizeAppearance(Scene::NodeChange& change) {
    applyActiveEnvironmentColors();
    applyOccludedEffect(change);
    change.lineStyle(lineThickness(), centerLinePattern(), kPatternScale);
    change.depthPriority(1);
    if (isVisible())
        change.removeAttribute(0);
    else
        change.visibility(false);
    if (isOrigin())
        change.pixelScale(50.0, 1.0, m_line.pointOnLine());
    change.nodeFlags(0x100000);
    change.nodeFlags(0x80000);
}

void WorkAxis::activeEnvironmentChanged(Event*) {
    if (applyActiveEnvironmentColors() && sceneNode()) {
        Scene::NodeChange change(sceneNode());
        applyOccludedEffect(change);
    }
}

// Origin axes take the colour of the coordinate axis they lie on; the
// application makes no others, and any other takes the Z axis colour.
bool WorkAxis::applyActiveEnvironmentColors() {
    const Scene::Environment& environment =
        *Scene::EnvironmentManager::getEnvManager().activeEnvironment();
    const Scene::ArgbColor& argb =
        !isOrigin()                               ? environment.workAxisColor()
        : m_line.isColinearTo(ZkGeLine3d::kXAxis) ? environment.originXAxisColor()
        : m_line.isColinearTo(ZkGeLine3d::kYAxis) ? environment.originYAxisColor()
                                                  : environment.originZAxisColor();
    const Color previous = m_color;
    m_color = argb.toColor();
    return m_color != previous;
}

void WorkAxis::applyOccludedEffect(Scene::NodeChange& change) const {
    change.occludedEffect("", m_color, 1.0, 0.25);
}

void WorkAxis::onTransformBy(const ZkGeMatrix3d& transform) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_line.transformBy(transform);
}

void WorkAxis::onTranslate(const ZkGeVector3d& offset) {
    m_line.translateBy(offset);
}

ZkGePoint3d WorkAxis::nominalPoint() const {
    return m_line.pointOnLine() + m_line.direction() * 0.5;
}

StrongRef<LogicalSelection> WorkAxis::onCreateLogicalSelection(const ObjectPath& path) {
    const StrongRef<LogicalSelection> picked = WorkGeometry::onCreateLogicalSelection(path);
    if (!picked)
        return picked;
    const uint64_t end = picked->path().qualifier();
    if (end == kLowerEnd || end == kUpperEnd)
        return WorkAxisExtentSelection::make(picked->path(), StrongRef<WorkAxis>(this));
    return WorkAxisSelection::make(picked->path(), StrongRef<WorkAxis>(this));
}

std::wstring WorkAxis::userName() const {
    return nameFromNumber("WorkAxisDefaultName", L"Axis");
}

bool WorkAxis::getOnk(Onk& key) {
    key.setName(L"WorkAxis");
    key.setRepresentation(userName());
    return true;
}

void* WorkAxis::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : WorkGeometry::queryInterface(id);
}

std::wstring WorkAxis::onToString() const {
    const ZkGePoint3d point = m_line.pointOnLine();
    const ZkGeVector3d direction = m_line.direction();
    return (boost::wformat(L"WorkAxis at (%1%, %2% %3%), direction (%4%, %5% %6%) (Base %7%)") %
            point.x % point.y % point.z % direction.x % direction.y % direction.z %
            WorkGeometry::onToString())
        .str();
}

} // namespace Kv::Geometry
