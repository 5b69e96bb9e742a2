#include "Geometry/sketch2d/Point2D.h"

#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Point2DCallback.h"
#include "Geometry/sketch2d/Sketch2D.h"
#include "Kv/CommonData/ManagedGroupEntity.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/MemberRegistration.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Point2D)

StrongRefCreator<Point2D> Point2D::make(const StrongRef<Entity>& parent, const ZkGePoint2d& point,
                                        bool implicitlyCreated) {
    if (!parent)
        return {};
    StrongRef<Point2D> created(new Point2D(parent.get(), point, implicitlyCreated));
    created->postCreation(kTransactDo);
    return StrongRefCreator<Point2D>(created);
}

StrongRef<Point2D> Point2D::findOrMake(const StrongRef<Entity>& parent, const ZkGePoint2d& point) {
    if (auto* sketch = ::Kv::queryInterface<Sketch2D>(parent.get())) {
        if (PassiveRef<Point2D> found = sketch->queryPoint2D(point))
            return found.lock();
    } else if (auto* group = ::Kv::queryInterface<Managed::ManagedGroupEntity>(parent.get())) {
        // Groups keep no index; they are small enough to search.
        for (const StrongRef<Entity>& child : group->children())
            if (auto* candidate = ::Kv::queryInterface<Point2D>(child.get());
                candidate && candidate->point().isEqualTo(point, ZkGeContext::gTol))
                return StrongRef<Point2D>(candidate);
    }
    return make(parent, point, true);
}

Point2D::Point2D(Entity* parent, const ZkGePoint2d& point, bool implicitlyCreated)
    : Geometry2D(parent)
    , m_point(point)
    , m_implicitlyCreated(implicitlyCreated) {
    initializeMemberSetIfNeeded();
}

Point2D::Point2D(Segment* segment, uint64_t id)
    : Geometry2D(segment, id) {
    initializeMemberSetIfNeeded();
}

void Point2D::initializeMemberSet(uint32_t, MemberSet& memberSet) {
    registerMember(memberSet, "point", m_point);
    registerMember(memberSet, "implicitlyCreated", m_implicitlyCreated);
}

void Point2D::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, [this](uint32_t version, MemberSet& set) {
        initializeMemberSet(version, set);
        s_metaType().dataModelCallback(&g_point2DCallback);
    });
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

void Point2D::point(const ZkGePoint2d& position) {
    EntityChange change(this, kTransactDo, kChangeProperties, 3, nullptr, true);
    m_point = position;
}

void Point2D::onTranslate(const ZkGeVector2d& offset) {
    point(m_point + offset);
}

// Undo and redo report their changes here too, so the curves follow a point
// however it moved.
void Point2D::onPostChange(const EntityChange& change) {
    Geometry2D::onPostChange(change);
    redrawUsers();
}

void Point2D::redrawUsers() {
    std::vector<StrongRef<GeometryBase2D>> users;
    referencingGeometry(StrongRef<Managed::ManagedGroupEntity>(
                            ::Kv::queryInterface<Managed::ManagedGroupEntity>(parentEntity())),
                        users);
    for (const StrongRef<GeometryBase2D>& user : users)
        user->revalidate(kChangeGeometry);
}

void Point2D::referencingGeometry(const StrongRef<Managed::ManagedGroupEntity>& group,
                                  std::vector<StrongRef<GeometryBase2D>>& out) const {
    if (!group)
        return;
    const StrongRef<Point2D> self(const_cast<Point2D*>(this));
    for (const StrongRef<Entity>& child : group->children()) {
        // The host runs a child's pre-deletion while the child is still in
        // its group: an item on its way out uses nothing any more.
        if (child->isDestroying())
            continue;
        if (auto* geometry = ::Kv::queryInterface<GeometryBase2D>(child.get());
            geometry && geometry->references(self))
            out.emplace_back(geometry);
        if (auto* nested = ::Kv::queryInterface<GeometryGroup2D>(child.get()))
            referencingGeometry(StrongRef<Managed::ManagedGroupEntity>(nested), out);
    }
}

void Point2D::garbageCollect(bool onDeletion, const StrongRef<Geometry2D>& geometry) {
    if (!m_implicitlyCreated)
        return;
    Entity* parent = parentEntity();
    if (!parent || parent->isDestroying() || parent->isScheduledForDeletion())
        return;
    auto* group = ::Kv::queryInterface<Managed::ManagedGroupEntity>(parent);
    // A point collected through a curve's first reference is no longer in
    // its group when the second reference names it too.
    if (!group || group->indexOf(this) == Managed::ManagedGroupEntity::npos)
        return;

    std::vector<StrongRef<GeometryBase2D>> users;
    referencingGeometry(StrongRef<Managed::ManagedGroupEntity>(group), users);
    const bool unused = onDeletion ? users.empty() : users.size() == 1 && users.front() == geometry;
    if (!unused)
        return;
    const StrongRef<Point2D> keep(this); // the group may hold the last reference
    leaveIndex();
    group->removeChild(StrongRef<Entity>(this));
}

void Point2D::leaveIndex() {
    auto* sketch = ::Kv::queryInterface<Sketch2D>(parentEntity());
    if (sketch && sketch->queryPoint2D(m_point) == this)
        sketch->removePoint2D(m_point);
}

void Point2D::onPostCreation(int kind) {
    Geometry2D::onPostCreation(kind);
    if (auto* sketch = ::Kv::queryInterface<Sketch2D>(parentEntity()))
        sketch->addPoint2D(m_point, this);
}

void Point2D::onPreDeletion(int kind) {
    leaveIndex();
    Geometry2D::onPreDeletion(kind);
}

void* Point2D::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Geometry2D::queryInterface(id);
}

std::wstring Point2D::onToString() const {
    return (boost::wformat(L"Point2D at (%1%, %2%) implicitly created: %3% (Base %4%)") %
            m_point.x % m_point.y % m_implicitlyCreated % Geometry2D::onToString())
        .str();
}

} // namespace Kv::Geometry
