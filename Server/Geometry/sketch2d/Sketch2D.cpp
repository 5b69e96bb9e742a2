#include "Geometry/sketch2d/Sketch2D.h"

#include "Geometry/sketch2d/GeometryBase2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Point2DCallback.h"
#include "Geometry/sketch2d/Sketch2Ds.h"
#include "Geometry/sketch2d/Sketch2DsRoot.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"
#include "Kv/DataModel/ObjectPath.h"
#include "Kv/DataModel/Onk.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/Scene/NodeChange.h"

#include <boost/format.hpp>

#include <cmath>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Sketch2D)

bool Sketch2D::TolerantLess::operator()(const ZkGePoint2d& a, const ZkGePoint2d& b) const {
    // Read at every comparison: the tolerance is a process-wide setting that
    // callers may change between edits.
    const double tolerance = ZkGeContext::gTol.equalPoint();
    if (std::fabs(a.x - b.x) > tolerance)
        return a.x - b.x < tolerance;
    if (std::fabs(a.y - b.y) > tolerance)
        return a.y - b.y < tolerance;
    return false;
}

StrongRefCreator<Sketch2D> Sketch2D::make(const PassiveRef<Sketch2Ds>& parent,
                                          const std::wstring& userName,
                                          const ZkGeMatrix3d& transform) {
    Sketch2Ds* owner = parent.getTarget();
    if (!owner)
        return {};
    StrongRef<Sketch2D> sketch(new Sketch2D(owner, userName, transform));
    sketch->postCreation(kTransactDo);
    return StrongRefCreator<Sketch2D>(sketch);
}

StrongRefCreator<Sketch2D> Sketch2D::make(Segment* segment, const std::wstring& userName,
                                          const ZkGeMatrix3d& transform) {
    if (!segment)
        return {};
    StrongRef<Sketch2D> sketch(new Sketch2D(segment, userName, transform));
    sketch->postCreation(kTransactDo);
    // Nothing else owns a sketch without a parent: the segment's root lists it,
    // so that it is saved and found again.
    if (StrongRef<Sketch2DsRoot> root = sketch->sketch2DsRoot())
        root->addElement(StrongRef<Entity>(sketch));
    return StrongRefCreator<Sketch2D>(sketch);
}

Sketch2D::Sketch2D(Entity* parent, const std::wstring& userName, const ZkGeMatrix3d& transform)
    : CommonBaseGroupEntity(parent)
    , m_userName(userName)
    , m_transform(transform) {
    initializeMemberSetIfNeeded();
}

Sketch2D::Sketch2D(Segment* segment, const std::wstring& userName, const ZkGeMatrix3d& transform)
    : CommonBaseGroupEntity(segment)
    , m_userName(userName)
    , m_transform(transform) {
    initializeMemberSetIfNeeded();
}

Sketch2D::Sketch2D(Segment* segment, uint64_t id)
    : CommonBaseGroupEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void Sketch2D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "userName", m_userName);
    registerMember(memberSet, "transform", m_transform);
}

void Sketch2D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, [this](uint32_t version, MemberSet& set) {
        initializeMemberSet(version, set);
        s_metaType().dataModelCallback(&g_point2DCallback);
    });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void Sketch2D::transform(const ZkGeMatrix3d& transform) {
    EntityChange change(this, kTransactDo, kChangeGeometry, 3, nullptr, true);
    m_transform = transform;
}

void Sketch2D::userName(const std::wstring& name) {
    EntityChange change(this, kTransactDo, kChangeName, 3, nullptr, true);
    m_userName = name;
}

bool Sketch2D::onRename(const std::wstring& name) {
    userName(name);
    return true;
}

StrongRef<GeometryBase2D> Sketch2D::geometry2D(unsigned int index) const {
    return StrongRef<GeometryBase2D>(::Kv::queryInterface<GeometryBase2D>(child(index).get()));
}

void Sketch2D::remove(const StrongRef<GeometryBase2D>& geometry) {
    removeChild(StrongRef<Entity>(geometry));
}

PassiveRef<Point2D> Sketch2D::queryPoint2D(const ZkGePoint2d& position) const {
    auto found = m_pointIndex.lower_bound(position);
    if (found == m_pointIndex.end() || m_pointIndex.key_comp()(position, found->first))
        return {};
    return found->second;
}

void Sketch2D::addPoint2D(const ZkGePoint2d& position, Point2D* point) {
    auto found = m_pointIndex.lower_bound(position);
    if (found != m_pointIndex.end() && !m_pointIndex.key_comp()(position, found->first))
        found->second = PassiveRef<Point2D>(point);
    else
        m_pointIndex.emplace_hint(found, position, PassiveRef<Point2D>(point));
}

void Sketch2D::removePoint2D(const ZkGePoint2d& position) {
    auto found = m_pointIndex.lower_bound(position);
    if (found != m_pointIndex.end() && !m_pointIndex.key_comp()(position, found->first))
        m_pointIndex.erase(found);
}

StrongRef<Sketch2DsRoot> Sketch2D::sketch2DsRoot() const {
    return Sketch2DsRoot::find(segment());
}

StrongRef<Sketch2Ds> Sketch2D::parentSketch2Ds() const {
    return StrongRef<Sketch2Ds>(::Kv::queryInterface<Sketch2Ds>(parentEntity()));
}

void Sketch2D::onPostCreation(int kind) {
    CommonBaseGroupEntity::onPostCreation(kind);
    if (!DataChange::test(kind, kTransactReplay) && !sketch2DsRoot())
        // The segment keeps the root; the creator's reference is let go here.
        Sketch2DsRoot::make(segment());
    // A collection read from a file joins the scene with its first new sketch.
    if (StrongRef<Sketch2Ds> sketches = parentSketch2Ds())
        sketches->connectScene();
    connectScene();
}

void Sketch2D::onPreDeletion(int kind) {
    disconnectScene();
    CommonBaseGroupEntity::onPreDeletion(kind);
}

void Sketch2D::onPostChange(const EntityChange& change) {
    CommonBaseGroupEntity::onPostChange(change);
    onPostChangeScene(change.changeType());
}

bool Sketch2D::onExtractTransform(const ObjectPath& path, ZkGeMatrix3d& transform,
                                  ObjectPath& transformPath) {
    transformPath = ObjectPath();
    for (size_t i = 1; i < path.size(); ++i)
        transformPath.push(path.elements()[i].get());
    transform = m_transform;
    return true;
}

void Sketch2D::sceneNode(Wyn::Graphics::ARenderNode* node) {
    m_groupNode = dynamic_cast<Wyn::Graphics::GroupNode*>(node);
}

void Sketch2D::onCreateScene(Scene::NodeChange& change) {
    m_groupNode = change.createGroupNode(this, 1, false, true);
    change.transform(m_transform);
    INodeSource::onCreateScene(change);
}

void Sketch2D::realizeChildNodes(Scene::NodeChange& change) {
    for (const StrongRef<Entity>& child : children())
        GeometryBase2D::addChildNode(change, child.get());
}

bool Sketch2D::realizeAddedChild(Scene::NodeChange& change, Scene::INodeSource* child) {
    GeometryBase2D::addChildNode(change, child->nodeSourceEntity());
    return true;
}

void Sketch2D::realizeTransform(Scene::NodeChange& change) {
    change.transform(m_transform);
}

void Sketch2D::releaseScene() {
    INodeSource::releaseScene();
    m_groupNode = nullptr;
}

// Points keep the index themselves when they are made and deleted. Undo and
// redo put children back or take them out without running those hooks, so
// the sketch follows the replayed membership here.
void Sketch2D::onChildAdded(Entity* child) {
    CommonBaseGroupEntity::onChildAdded(child);
    Asset* owner = asset();
    if (!owner || !owner->isReplaying())
        return;
    if (auto* point = ::Kv::queryInterface<Point2D>(child))
        addPoint2D(point->point(), point);
}

void Sketch2D::onChildRemoved(Entity* child) {
    CommonBaseGroupEntity::onChildRemoved(child);
    Asset* owner = asset();
    if (!owner || !owner->isReplaying())
        return;
    auto* point = ::Kv::queryInterface<Point2D>(child);
    if (point && queryPoint2D(point->point()) == point)
        removePoint2D(point->point());
}

bool Sketch2D::getOnk(Onk& key) {
    key.setName((boost::wformat(L"Skch2:%1%:%2%") % segment()->key() % id()).str());
    return true;
}

void* Sketch2D::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (void* base = CommonBaseGroupEntity::queryInterface(id))
        return base;
    if (id == INodeSource::interfaceId())
        return static_cast<INodeSource*>(this);
    if (id == ILogicalSelectionTransform::interfaceId())
        return static_cast<ILogicalSelectionTransform*>(this);
    if (id == IRenameTarget::interfaceId())
        return static_cast<IRenameTarget*>(this);
    return id == IScriptableObject::interfaceId() ? static_cast<IScriptableObject*>(this) : nullptr;
}

std::wstring Sketch2D::onToString() const {
    return (boost::wformat(L"Sketch2D %1% (Base %2%)") % m_userName %
            CommonBaseGroupEntity::onToString())
        .str();
}

} // namespace Kv::Geometry
