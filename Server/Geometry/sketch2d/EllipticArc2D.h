#pragma once

#include "Geometry/sketch2d/Geometry2D.h"
#include "ZkGeEllipArc2d.h"

namespace Kv::Geometry {

class Point2D;

// An elliptic arc or full ellipse of a 2D sketch on a shared centre point
// and, when open, shared start and end points that follow every edit.
class EllipticArc2D : public Geometry2D {
    KV_GEOMETRY_ENTITY(EllipticArc2D, Geometry2D)

public:
    // The arc from the direction of `start` to that of `end` seen from
    // `center`, on points found or made at the three positions.
    static StrongRefCreator<EllipticArc2D>
    make(const StrongRef<Entity>& parent, const ZkGePoint2d& center, const ZkGeVector2d& majorAxis,
         double majorRadius, double minorRadius, const ZkGePoint2d& start, const ZkGePoint2d& end);
    static StrongRefCreator<EllipticArc2D> make(const StrongRef<Entity>& parent,
                                                const ZkGePoint2d& center,
                                                const ZkGeVector2d& majorAxis, double majorRadius,
                                                double minorRadius);
    static StrongRefCreator<EllipticArc2D> make(const StrongRef<Point2D>& center,
                                                const ZkGeVector2d& majorAxis, double majorRadius,
                                                double minorRadius, const StrongRef<Point2D>& start,
                                                const StrongRef<Point2D>& end);
    static StrongRefCreator<EllipticArc2D> make(const StrongRef<Point2D>& center,
                                                const ZkGeVector2d& majorAxis, double majorRadius,
                                                double minorRadius);

    const ZkGeEllipArc2d& arcCurve() const { return m_arcCurve; }
    // Replaces the curve, moving the centre reference to the new centre.
    void arcCurve(const ZkGeEllipArc2d& curve);
    ZkGePoint2d center() const { return m_arcCurve.center(); }
    ZkGeVector2d majorAxisDirn() const { return m_arcCurve.majorAxis(); }
    // Turns the axes: the minor one follows as the perpendicular.
    void majorAxisDirn(const ZkGeVector2d& direction);
    double majorRadius() const { return m_arcCurve.majorRadius(); }
    void majorRadius(double radius);
    double minorRadius() const { return m_arcCurve.minorRadius(); }
    void minorRadius(double radius);
    bool isEllipse() const;
    // Moves one end of the arc to the direction of `position` from the centre.
    void start(const ZkGePoint2d& position);
    void end(const ZkGePoint2d& position);

    const StrongRef<Point2D>& centerPoint() const { return m_rCenterPoint; }
    // Null for a full ellipse.
    const StrongRef<Point2D>& startPoint() const { return m_rStartPoint; }
    const StrongRef<Point2D>& endPoint() const { return m_rEndPoint; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::EllipticArc2D")

protected:
    EllipticArc2D(Segment* segment, uint64_t id);

    void onPreDeletion(int kind) override;
    bool onReferences(const StrongRef<Point2D>& point) const override;
    bool onHasLines() const override { return true; }
    bool onHasFill() const override { return true; }
    void onTranslate(const ZkGeVector2d& offset) override;
    std::wstring onkTag() const override { return L"EllpArc2"; }
    std::wstring onToString() const override;
    const ZkGeCurve2d* sampledCurve() const override { return &m_arcCurve; }

private:
    EllipticArc2D(Entity* parent, const StrongRef<Point2D>& center, const ZkGeVector2d& majorAxis,
                  double majorRadius, double minorRadius, const StrongRef<Point2D>& start,
                  const StrongRef<Point2D>& end);
    static StrongRefCreator<EllipticArc2D> create(Entity* parent, const StrongRef<Point2D>& center,
                                                  const ZkGeVector2d& majorAxis, double majorRadius,
                                                  double minorRadius,
                                                  const StrongRef<Point2D>& start,
                                                  const StrongRef<Point2D>& end);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    // Applies `edit` to the curve inside one recorded change, then lets the
    // end points follow.
    template <class Edit> void editCurve(Edit edit);
    void setArcEndPoints(const ZkGePoint2d& start, const ZkGePoint2d& end);
    // Binds the start and end references to points at the curve's ends, or
    // releases them when the curve is closed.
    void resetEndPoints();
    StrongRef<Point2D> findOrMakePoint(const ZkGePoint2d& position);

    StrongRef<Point2D> m_rCenterPoint;
    StrongRef<Point2D> m_rStartPoint;
    StrongRef<Point2D> m_rEndPoint;
    ZkGeEllipArc2d m_arcCurve;
};

} // namespace Kv::Geometry
