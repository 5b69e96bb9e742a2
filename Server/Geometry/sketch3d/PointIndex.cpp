#include "Geometry/sketch3d/PointIndex.h"

#include "Geometry/sketch3d/GeometryGroup3D.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Kv/CommonData/ManagedGroupEntity.h"

#include <sys/mman.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <stdexcept>

namespace Kv::Geometry {
namespace {

// Cells are far larger than the default tolerance, so that nearly every search
// looks at one cell, yet small next to the distances between the points of a
// sketch; their size is a power of two, so that a coordinate's cell is
// computed without rounding and a point is always filed where a search for it
// looks.
constexpr double kCellsPerUnit = 4096.0;
constexpr double kLastCell = 4611686018427387904.0; // 2^62: far cells share the edge ones
// A search that would look at more cells than this (a tolerance larger than
// the cells) walks the children instead.
constexpr double kMostCellsSearched = 64.0;
// Room between the orders of neighbouring points for later insertions.
constexpr uint64_t kOrderGap = uint64_t(1) << 32;
// Slot tables from this size on are laid on huge pages: a search in a large
// sketch probes one slot at a random place, and a page-table walk for it
// would cost as much again as the probe.
constexpr size_t kHugePage = size_t(2) << 20;

int64_t cellCoordinate(double value) {
    double cell = std::floor(value * kCellsPerUnit);
    if (!(cell < kLastCell))
        cell = kLastCell;
    else if (!(cell > -kLastCell))
        cell = -kLastCell;
    return static_cast<int64_t>(cell);
}

uint64_t cellHash(int64_t x, int64_t y, int64_t z) {
    uint64_t h = uint64_t(x) * 0x9E3779B97F4A7C15ull ^ uint64_t(y) * 0xC2B2AE3D27D4EB4Full ^
                 uint64_t(z) * 0x165667B19E3779F9ull;
    h ^= h >> 31;
    h *= 0xD6E8FEB86659FD93ull;
    h ^= h >> 32;
    return h;
}

bool isFinite(const ZkGePoint3d& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

// Points with a coordinate that is not finite equal nothing at a finite
// tolerance (their distance to anything is not a number or infinite); they are
// filed apart, out of the way of every search.
const uint64_t kNowhere =
    cellHash(std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::min(),
             std::numeric_limits<int64_t>::min());

} // namespace

PointIndex::PointIndex(const Managed::ManagedGroupEntity& group)
    : m_group(group) {}

// Points may outlive their group (undo records, references from elsewhere);
// they must not name an index that is gone.
PointIndex::~PointIndex() {
    for (size_t i = 0; i < m_capacity; ++i)
        if (Point3D* point = m_slots.get()[i].point; point && isFiledHere(*point))
            point->m_indexed = false;
}

PointIndex* PointIndex::of(Entity* parent) {
    if (auto* sketch = ::Kv::queryInterface<Sketch>(parent))
        return &sketch->pointIndex();
    if (auto* group = ::Kv::queryInterface<GeometryGroup3D>(parent))
        return &group->pointIndex();
    return nullptr;
}

Point3D* PointIndex::walk(const Managed::ManagedGroupEntity& group, const ZkGePoint3d& position,
                          const ZkGeTol& tol) {
    for (const StrongRef<Entity>& child : group.children())
        if (auto* point = ::Kv::queryInterface<Point3D>(child.get());
            point && point->point().isEqualTo(position, tol))
            return point;
    return nullptr;
}

uint64_t PointIndex::cellOf(const ZkGePoint3d& position) {
    if (!isFinite(position))
        return kNowhere;
    return cellHash(cellCoordinate(position.x), cellCoordinate(position.y),
                    cellCoordinate(position.z));
}

Point3D* PointIndex::find(const ZkGePoint3d& position, const ZkGeTol& tol) const {
    const double radius = tol.equalPoint();
    if (!m_count || !(radius >= 0.0))
        return nullptr;
    if (!isFinite(position)) // only an infinite tolerance matches it: no cells to look at
        return walk(m_group, position, tol);
    // The range is widened a little, so that rounding in these sums and in the
    // distance the comparison computes cannot put a match outside it.
    const double coordinates[3] = {position.x, position.y, position.z};
    int64_t low[3], high[3];
    double cells = 1.0;
    for (int axis = 0; axis < 3; ++axis) {
        const double v = coordinates[axis];
        const double pad = radius * (1.0 + 1e-9) + (std::fabs(v) + radius) * 4.0 * DBL_EPSILON;
        low[axis] = cellCoordinate(v - pad);
        high[axis] = cellCoordinate(v + pad);
        cells *= double(high[axis]) - double(low[axis]) + 1.0;
    }
    if (cells > kMostCellsSearched)
        return walk(m_group, position, tol);

    const size_t mask = m_capacity - 1;
    const Slot* slots = m_slots.get();
    Point3D* best = nullptr;
    uint64_t bestOrder = 0;
    bool bestOrderKnown = false; // asked only when a second point matches
    for (int64_t x = low[0]; x <= high[0]; ++x)
        for (int64_t y = low[1]; y <= high[1]; ++y)
            for (int64_t z = low[2]; z <= high[2]; ++z) {
                // A probe run may hold points of other cells: those of cells
                // searched are compared when their own cell is, and the others
                // are out of reach, since the cells searched hold every point
                // within the tolerance.
                const uint64_t cell = cellHash(x, y, z);
                for (size_t i = cell & mask; slots[i].point; i = (i + 1) & mask) {
                    const Slot& slot = slots[i];
                    if (slot.cell != cell || slot.point == best ||
                        !slot.point->point().isEqualTo(position, tol))
                        continue;
                    if (!best) {
                        best = slot.point;
                        continue;
                    }
                    if (!bestOrderKnown) {
                        bestOrder = best->m_indexOrder;
                        bestOrderKnown = true;
                    }
                    const uint64_t order = slot.point->m_indexOrder;
                    if (order < bestOrder) {
                        best = slot.point;
                        bestOrder = order;
                    }
                }
            }
    return best;
}

// A group's points are filed in the group's own index, so a filed point that
// names this group as its parent is filed here.
bool PointIndex::isFiledHere(const Point3D& point) const {
    return point.m_indexed && point.parentEntity() == &m_group;
}

Point3D* PointIndex::filedPoint(Entity* child) const {
    auto* point = ::Kv::queryInterface<Point3D>(child);
    return point && isFiledHere(*point) ? point : nullptr;
}

void PointIndex::childAdded(Entity* child) {
    auto* point = ::Kv::queryInterface<Point3D>(child);
    if (!point || isFiledHere(*point))
        return;
    const uint64_t cell = cellOf(point->point());
    point->m_indexed = true;
    point->m_indexHome = uint32_t(cell);
    point->m_indexOrder = 0;
    ++m_count;
    insertSlot(cell, point);
    point->m_indexOrder = orderForChildAt(m_group.indexOf(child));
}

void PointIndex::childRemoved(Entity* child) {
    Point3D* point = filedPoint(child);
    if (!point)
        return;
    const size_t slot = findSlot(point->m_indexHome, point);
    if (slot < m_capacity)
        eraseSlot(slot);
    point->m_indexed = false;
    --m_count;
}

void PointIndex::pointChanged(Point3D* point) {
    if (!point || !isFiledHere(*point))
        return;
    const uint64_t cell = cellOf(point->point());
    const size_t slot = findSlot(point->m_indexHome, point);
    if (slot >= m_capacity || m_slots.get()[slot].cell == cell)
        return;
    eraseSlot(slot);
    insertSlot(cell, point);
    point->m_indexHome = uint32_t(cell);
}

void PointIndex::SlotsRelease::operator()(Slot* slots) const {
    std::free(slots);
}

std::unique_ptr<PointIndex::Slot, PointIndex::SlotsRelease>
PointIndex::allocateSlots(size_t capacity) {
    const size_t bytes = capacity * sizeof(Slot);
    const size_t alignment = bytes >= kHugePage ? kHugePage : alignof(std::max_align_t);
    const size_t rounded = (bytes + alignment - 1) / alignment * alignment;
    void* memory = std::aligned_alloc(alignment, rounded);
    if (!memory)
        throw std::bad_alloc();
    if (alignment == kHugePage)
        ::madvise(memory, rounded, MADV_HUGEPAGE); // a hint; nothing to do if refused
    Slot* slots = static_cast<Slot*>(memory);
    std::uninitialized_value_construct_n(slots, capacity);
    return std::unique_ptr<Slot, SlotsRelease>(slots);
}

void PointIndex::insertSlot(uint64_t cell, Point3D* point) {
    if (m_count * 10 > m_capacity * 7)
        grow();
    const size_t mask = m_capacity - 1;
    Slot* slots = m_slots.get();
    size_t i = cell & mask;
    while (slots[i].point)
        i = (i + 1) & mask;
    slots[i] = Slot{point, cell};
}

// `home` needs only as many bits of the cell as the mask has, which the
// capacity bound in grow keeps within 32.
size_t PointIndex::findSlot(uint64_t home, const Point3D* point) const {
    if (!m_capacity)
        return m_capacity;
    const size_t mask = m_capacity - 1;
    const Slot* slots = m_slots.get();
    for (size_t i = home & mask; slots[i].point; i = (i + 1) & mask)
        if (slots[i].point == point)
            return i;
    return m_capacity;
}

// Moves later slots of the same probe run back into the hole, so that
// searches never need markers of erased slots.
void PointIndex::eraseSlot(size_t index) {
    const size_t mask = m_capacity - 1;
    Slot* slots = m_slots.get();
    size_t hole = index;
    for (size_t j = (index + 1) & mask; slots[j].point; j = (j + 1) & mask) {
        const size_t home = slots[j].cell & mask;
        const bool staysAfterHole =
            hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
        if (!staysAfterHole) {
            slots[hole] = slots[j];
            hole = j;
        }
    }
    slots[hole] = Slot{};
}

void PointIndex::grow() {
    const size_t capacity = std::max<size_t>(16, m_capacity * 2);
    if (capacity > (size_t(1) << 32))
        throw std::length_error("a point index holds at most 3 billion points");
    std::unique_ptr<Slot, SlotsRelease> grown = allocateSlots(capacity);
    const size_t mask = capacity - 1;
    for (size_t k = 0; k < m_capacity; ++k) {
        const Slot& slot = m_slots.get()[k];
        if (!slot.point)
            continue;
        size_t i = slot.cell & mask;
        while (grown.get()[i].point)
            i = (i + 1) & mask;
        grown.get()[i] = slot;
    }
    m_slots = std::move(grown);
    m_capacity = capacity;
}

// Appending, the common case, takes the next order at once; a point put back
// between others (undo, reordering) takes the middle of its neighbours'
// orders, and only when there is no room left are all points renumbered.
uint64_t PointIndex::orderForChildAt(size_t index) {
    const auto& children = m_group.children();
    if (index + 1 >= children.size())
        return orderAfterLast();
    uint64_t before = 0;
    for (size_t k = index; k > 0; --k)
        if (const Point3D* previous = filedPoint(children[k - 1].get())) {
            before = previous->m_indexOrder;
            break;
        }
    for (size_t k = index + 1; k < children.size(); ++k)
        if (const Point3D* next = filedPoint(children[k].get())) {
            const uint64_t after = next->m_indexOrder;
            if (after - before >= 2)
                return before + (after - before) / 2;
            renumber();
            return filedPoint(children[index].get())->m_indexOrder;
        }
    return orderAfterLast();
}

uint64_t PointIndex::orderAfterLast() {
    if (m_lastOrder > std::numeric_limits<uint64_t>::max() - kOrderGap)
        renumber();
    return m_lastOrder += kOrderGap;
}

void PointIndex::renumber() {
    uint64_t order = 0;
    for (const StrongRef<Entity>& child : m_group.children())
        if (Point3D* point = filedPoint(child.get()))
            point->m_indexOrder = order += kOrderGap;
    m_lastOrder = order;
}

} // namespace Kv::Geometry
