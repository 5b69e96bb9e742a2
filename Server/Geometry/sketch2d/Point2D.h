#pragma once

#include "Geometry/sketch2d/Geometry2D.h"
#include "ZkGePoint2d.h"

#include <vector>

namespace Kv::Managed {
class ManagedGroupEntity;
}

namespace Kv::Geometry {

// A position in a 2D sketch that curves meeting there share. Points a curve
// operation makes on the fly are collected again once no geometry uses them.
class Point2D : public Geometry2D {
    KV_GEOMETRY_ENTITY(Point2D, Geometry2D)

public:
    static StrongRefCreator<Point2D> make(const StrongRef<Entity>& parent, const ZkGePoint2d& point,
                                          bool implicitlyCreated);
    // The point at `point` under `parent` (through the sketch's index, or by
    // searching a group), or a new implicitly created one.
    static StrongRef<Point2D> findOrMake(const StrongRef<Entity>& parent, const ZkGePoint2d& point);

    const ZkGePoint2d& point() const { return m_point; }
    // Moves the point, and the curves drawn through it follow; its entry in
    // the sketch's index stays where it was.
    void point(const ZkGePoint2d& position);
    bool wasImplicitlyCreated() const { return m_implicitlyCreated; }

    // Appends every item under `group`, searching nested groups depth first,
    // that references this point.
    void referencingGeometry(const StrongRef<Managed::ManagedGroupEntity>& group,
                             std::vector<StrongRef<GeometryBase2D>>& out) const;
    // Deletes the point if it was made implicitly and nothing but `geometry`
    // (on a change) or nothing at all (on a deletion) uses it any more.
    void garbageCollect(bool onDeletion, const StrongRef<Geometry2D>& geometry);
    void garbageCollectOnChange(const StrongRef<Geometry2D>& geometry) {
        garbageCollect(false, geometry);
    }
    void garbageCollectOnDeletion(const StrongRef<Geometry2D>& geometry) {
        garbageCollect(true, geometry);
    }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Point2D")

protected:
    Point2D(Segment* segment, uint64_t id);

    void onPostCreation(int kind) override;
    void onPreDeletion(int kind) override;
    void onPostChange(const EntityChange& change) override;
    bool onReferences(const StrongRef<Point2D>&) const override { return false; }
    bool onHasLines() const override { return false; }
    bool onHasFill() const override { return false; }
    bool onNeedsSceneNode() const override { return false; }
    void onTranslate(const ZkGeVector2d& offset) override;
    std::wstring onkTag() const override { return L"Pt2"; }
    std::wstring onToString() const override;

private:
    Point2D(Entity* parent, const ZkGePoint2d& point, bool implicitlyCreated);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    // Drops the sketch's index entry at the point's position if it is this
    // point's (a point made later at the same place may have taken it over).
    void leaveIndex();
    // Asks the geometry that uses the point to be drawn again.
    void redrawUsers();

    ZkGePoint2d m_point;
    bool m_implicitlyCreated = false;
};

} // namespace Kv::Geometry
