#pragma once

#include "ZkGePoint3d.h"
#include "ZkGeTol.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Kv {
class Entity;
namespace Managed {
class ManagedGroupEntity;
}
} // namespace Kv

namespace Kv::Geometry {

class Point3D;

// The sketch points among one group's children, found by position, so that
// sharing a curve end costs the same in a sketch of a million entities as in
// one of ten. The group's membership hooks and the points' own changes keep it
// beside the children; it is never rebuilt from them.
class PointIndex {
public:
    explicit PointIndex(const Managed::ManagedGroupEntity& group);
    ~PointIndex();
    PointIndex(const PointIndex&) = delete;
    PointIndex& operator=(const PointIndex&) = delete;

    // The index a sketch or geometry group keeps for its children; null for
    // any other parent.
    static PointIndex* of(Entity* parent);
    // The first point among `group`'s children, in child order, equal to
    // `position` within `tol`, found by looking at every child.
    static Point3D* walk(const Managed::ManagedGroupEntity& group, const ZkGePoint3d& position,
                         const ZkGeTol& tol);

    // What walk answers for this index's group.
    Point3D* find(const ZkGePoint3d& position, const ZkGeTol& tol) const;
    size_t pointCount() const { return m_count; }

    void childAdded(Entity* child);
    void childRemoved(Entity* child);
    // `point`, a child of the group, may have moved.
    void pointChanged(Point3D* point);

private:
    // A point and the cell it is filed under. A search reads a point only
    // when its cell is one searched, so probing past the points of other
    // cells costs no look at them.
    struct Slot {
        Point3D* point = nullptr; // null: the slot is free
        uint64_t cell = 0;
    };
    struct SlotsRelease {
        void operator()(Slot* slots) const;
    };
    static uint64_t cellOf(const ZkGePoint3d& position);
    static std::unique_ptr<Slot, SlotsRelease> allocateSlots(size_t capacity);
    void insertSlot(uint64_t cell, Point3D* point);
    size_t findSlot(uint64_t home, const Point3D* point) const;
    void eraseSlot(size_t index);
    void grow();
    // Whether `point` is filed here: filed, and a child of this group.
    bool isFiledHere(const Point3D& point) const;
    // The point's own bookkeeping (Point3D's index fields) when it is filed
    // here, else null.
    Point3D* filedPoint(Entity* child) const;
    uint64_t orderForChildAt(size_t index);
    uint64_t orderAfterLast();
    void renumber();

    const Managed::ManagedGroupEntity& m_group;
    // Open addressing with linear probing, at most 70% full; a slot's home is
    // its position's cell.
    std::unique_ptr<Slot, SlotsRelease> m_slots;
    size_t m_capacity = 0;
    size_t m_count = 0;
    uint64_t m_lastOrder = 0;
};

} // namespace Kv::Geometry
