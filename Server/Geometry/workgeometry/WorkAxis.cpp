#include "Geometry/workgeometry/WorkAxis.h"

#include "Geometry/workgeometry/WorkGeometries.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"
#include "ZkGeMatrix3d.h"

#include <boost/format.hpp>

namespace Kv::Geometry {
namespace {

// Axes are drawn a little heavier than sketch lines.
constexpr float kAxisLineThickness = 1.3f;

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
}

WorkAxis::WorkAxis(Segment* segment, uint64_t id)
    : WorkGeometry(segment, id) {
    lineThicknessField() = kAxisLineThickness;
    initializeMemberSetIfNeeded();
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

void WorkAxis::onTransformBy(const ZkGeMatrix3d& transform) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_line.transformBy(transform);
}

void WorkAxis::onTranslate(const ZkGeVector3d& offset) {
    m_line.translateBy(offset);
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
