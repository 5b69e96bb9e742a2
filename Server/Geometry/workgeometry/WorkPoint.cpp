#include "Geometry/workgeometry/WorkPoint.h"

#include "Geometry/selection/WorkPointSelection.h"
#include "Geometry/workgeometry/WorkGeometries.h"
#include "Kv/Base/Resources.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/Scene/BuildSimpleMesh.h"
#include "Kv/Scene/ImageResource.h"
#include "Kv/Scene/NodeChange.h"
#include "ZkGeMatrix3d.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(WorkPoint)

StrongRefCreator<WorkPoint> WorkPoint::make(const StrongRef<Entity>& parent,
                                            const ZkGePoint3d& position) {
    if (!parent)
        return {};
    StrongRef<WorkPoint> point(new WorkPoint(parent.get(), position));
    point->postCreation(kTransactDo);
    return StrongRefCreator<WorkPoint>(point);
}

StrongRefCreator<WorkPoint> WorkPoint::make(const StrongRef<Entity>& parent,
                                            const ZkGePoint3d& position, bool isOrigin,
                                            const std::wstring& originName) {
    if (!parent)
        return {};
    StrongRef<WorkPoint> point(new WorkPoint(parent.get(), position, isOrigin, originName));
    point->postCreation(kTransactDo);
    return StrongRefCreator<WorkPoint>(point);
}

StrongRef<WorkPoint> WorkPoint::findOrMake(const StrongRef<Entity>& parent,
                                           const ZkGePoint3d& position) {
    if (auto* group = ::Kv::queryInterface<Managed::ManagedGroupEntity>(parent.get()))
        for (const StrongRef<Entity>& child : group->children())
            if (auto* point = ::Kv::queryInterface<WorkPoint>(child.get()))
                if (point->point().isEqualTo(position))
                    return StrongRef<WorkPoint>(point);
    return make(parent, position);
}

WorkPoint::WorkPoint(Entity* parent, const ZkGePoint3d& position)
    : WorkGeometry(parent)
    , m_point(position) {
    if (auto* collection = ::Kv::queryInterface<WorkGeometries>(parent))
        setUserId(collection->getNextWorkPointID());
    initializeMemberSetIfNeeded();
}

WorkPoint::WorkPoint(Entity* parent, const ZkGePoint3d& position, bool isOrigin,
                     const std::wstring& originName)
    : WorkGeometry(parent, isOrigin, originName)
    , m_point(position) {
    initializeMemberSetIfNeeded();
}

WorkPoint::WorkPoint(Segment* segment, uint64_t id)
    : WorkGeometry(segment, id) {
    initializeMemberSetIfNeeded();
}

void WorkPoint::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "point", m_point);
}

void WorkPoint::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(
        this, [this](uint32_t version, MemberSet& set) { initializeMemberSet(version, set); });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void WorkPoint::point(const ZkGePoint3d& position) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_point = position;
}

void WorkPoint::onTranslate(const ZkGeVector3d& offset) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_point = m_point + offset;
}

void WorkPoint::onTransformBy(const ZkGeMatrix3d& transform) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_point.transformBy(transform);
}

// Built about the local origin and moved into place by the node transform, so
// that the pixel scale and the billboard keep it screen-sized and facing the
// viewer.
void WorkPoint::onCreateScene(Scene::NodeChange& change) {
    WorkGeometry::onCreateScene(change);
    change.pixelScale(1.0, 2.0, ZkGePoint3d::kOrigin);
    change.billboard(ZkGePoint3d::kOrigin, 1, ZkGeVector3d::kYAxis);
}

void WorkPoint::realizeTransform(Scene::NodeChange& change) {
    change.transform(ZkGeMatrix3d::translation(m_point.asVector()));
}

// A quad as large as the image reports, lifted towards the viewer by half its
// width so that it stays in front of a plane through the point.
void WorkPoint::realizeGeometry(Scene::NodeChange& change) {
    int width = 0, height = 0;
    image()->size(width, height);
    const float a = float(width), b = float(height);
    const std::vector<Point3f> corners{
        {-a, -b, a / 2}, {a, -b, a / 2}, {a, b, a / 2}, {-a, b, a / 2}};
    const std::vector<Point3f> normals(4, Point3f(0, 0, 1));
    const std::vector<Scene::TexCoord> texture{{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    const std::vector<unsigned> indices{0, 1, 2, 2, 3, 0};
    change.geometry(Scene::BuildSimpleMesh(4, corners, normals, texture, indices), 15);
}

void WorkPoint::realizeAppearance(Scene::NodeChange& change) {
    change.occludedEffect(image()->localPath(), Color(1, 1, 1, 1), -1.0, -1.0);
    if (isVisible())
        change.removeAttribute(0);
    else
        change.visibility(false);
    if (isOrigin())
        change.depthPriority(2);
    change.nodeFlags(0x100000);
    change.nodeFlags(0x80000);
}

const Scene::ImageResource* WorkPoint::image() const {
    return isOrigin() ? Resources::OriginPointImage() : Resources::PointImage();
}

ZkGePoint3d WorkPoint::nominalPoint() const {
    return m_point;
}

StrongRef<LogicalSelection> WorkPoint::onCreateLogicalSelection(const ObjectPath& path) {
    const StrongRef<LogicalSelection> picked = WorkGeometry::onCreateLogicalSelection(path);
    if (!picked)
        return picked;
    return WorkPointSelection::make(picked->path(), StrongRef<WorkPoint>(this));
}

std::wstring WorkPoint::userName() const {
    return nameFromNumber("WorkPointDefaultName", L"Point");
}

bool WorkPoint::getOnk(Onk& key) {
    key.setName(L"WorkPoint");
    key.setRepresentation(userName());
    return true;
}

void* WorkPoint::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : WorkGeometry::queryInterface(id);
}

std::wstring WorkPoint::onToString() const {
    return (boost::wformat(L"WorkPoint at (%1%, %2%) (Base %3%)") % m_point.x % m_point.y %
            WorkGeometry::onToString())
        .str();
}

} // namespace Kv::Geometry
