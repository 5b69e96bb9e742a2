#pragma once

#include "Geometry/sketch2d/Geometry2D.h"
#include "ZkGePoint2d.h"

namespace Kv::Geometry {

class Point2D;

// The straight segment between two shared 2D points.
class Line2D : public Geometry2D {
    KV_GEOMETRY_ENTITY(Line2D, Geometry2D)

public:
    static StrongRefCreator<Line2D> make(const StrongRef<Entity>& parent,
                                         const StrongRef<Point2D>& start,
                                         const StrongRef<Point2D>& end);
    // A line on the points found or made at the two positions.
    static StrongRefCreator<Line2D> make(const StrongRef<Entity>& parent, const ZkGePoint2d& start,
                                         const ZkGePoint2d& end);

    // The positions of the end points (the origin for a missing point).
    const ZkGePoint2d& start() const;
    const ZkGePoint2d& end() const;
    const StrongRef<Point2D>& startPoint() const { return m_rStartPoint; }
    const StrongRef<Point2D>& endPoint() const { return m_rEndPoint; }

    // Rebinds one end to the point at `position`; the old point is not moved,
    // and is collected if it was implicit and only this line used it.
    void start(const ZkGePoint2d& position);
    void end(const ZkGePoint2d& position);

    // Draws the segment between the end points' current positions.
    void realizeGeometry(Scene::NodeChange& change) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Line2D")

protected:
    Line2D(Segment* segment, uint64_t id);

    void onPreDeletion(int kind) override;
    bool onReferences(const StrongRef<Point2D>& point) const override;
    bool onHasLines() const override { return true; }
    bool onHasFill() const override { return false; }
    void onTranslate(const ZkGeVector2d& offset) override;
    std::wstring onkTag() const override { return L"Ln2"; }
    std::wstring onToString() const override;

private:
    Line2D(Entity* parent, const StrongRef<Point2D>& start, const StrongRef<Point2D>& end);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    void rebind(StrongRef<Point2D>& field, const StrongRef<Point2D>& otherEnd,
                const ZkGePoint2d& position);

    StrongRef<Point2D> m_rStartPoint;
    StrongRef<Point2D> m_rEndPoint;
};

} // namespace Kv::Geometry
