#pragma once

#include "Geometry/sketch2d/Geometry2D.h"
#include "ZkGeCircArc2d.h"

namespace Kv::Geometry {

class Point2D;

// A circular arc or full circle of a 2D sketch on a shared centre point and,
// when open, shared start and end points.
class Arc2D : public Geometry2D {
    KV_GEOMETRY_ENTITY(Arc2D, Geometry2D)

public:
    // The arc about `center` from `start` counter-clockwise towards `end`,
    // with the radius reaching `start`; `end` gives only a direction.
    static StrongRefCreator<Arc2D> make(const StrongRef<Point2D>& center,
                                        const StrongRef<Point2D>& start,
                                        const StrongRef<Point2D>& end);
    static StrongRefCreator<Arc2D> make(const StrongRef<Point2D>& center, double radius);
    // As above, on the points found or made at the positions.
    static StrongRefCreator<Arc2D> make(const StrongRef<Entity>& parent, const ZkGePoint2d& center,
                                        const ZkGePoint2d& start, const ZkGePoint2d& end);
    static StrongRefCreator<Arc2D> make(const StrongRef<Entity>& parent, const ZkGePoint2d& center,
                                        double radius);

    const ZkGeCircArc2d& arcCurve() const { return m_arcCurve; }
    // Replaces the curve; the point references stay as they are.
    void arcCurve(const ZkGeCircArc2d& curve);
    double radius() const { return m_arcCurve.radius(); }
    bool isCircle() const;

    const StrongRef<Point2D>& centerPoint() const { return m_rCenterPoint; }
    // Null for a full circle.
    const StrongRef<Point2D>& startPoint() const { return m_rStartPoint; }
    const StrongRef<Point2D>& endPoint() const { return m_rEndPoint; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Arc2D")

protected:
    Arc2D(Segment* segment, uint64_t id);

    void onPreDeletion(int kind) override;
    bool onReferences(const StrongRef<Point2D>& point) const override;
    bool onHasLines() const override { return true; }
    bool onHasFill() const override { return true; }
    // An arc keeps its points where they are.
    void onTranslate(const ZkGeVector2d&) override {}
    std::wstring onkTag() const override { return L"Arc2"; }
    std::wstring onToString() const override;
    const ZkGeCurve2d* sampledCurve() const override { return &m_arcCurve; }

private:
    Arc2D(Entity* parent, const StrongRef<Point2D>& center, const StrongRef<Point2D>& start,
          const StrongRef<Point2D>& end, double radius);
    static StrongRefCreator<Arc2D> create(Entity* parent, const StrongRef<Point2D>& center,
                                          const StrongRef<Point2D>& start,
                                          const StrongRef<Point2D>& end, double radius);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    StrongRef<Point2D> m_rCenterPoint;
    StrongRef<Point2D> m_rStartPoint;
    StrongRef<Point2D> m_rEndPoint;
    ZkGeCircArc2d m_arcCurve;
};

} // namespace Kv::Geometry
