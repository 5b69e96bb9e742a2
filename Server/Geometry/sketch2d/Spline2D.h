#pragma once

#include "Geometry/sketch2d/Geometry2D.h"
#include "ZkArray.h"
#include "ZkGeNurbCurve2d.h"

namespace Kv::Geometry {

class Point2D;

// A fit-point spline of a 2D sketch, its ends on shared points; for freehand
// input, an optional limit halves the fit points whenever it is reached.
class Spline2D : public Geometry2D {
    KV_GEOMETRY_ENTITY(Spline2D, Geometry2D)

public:
    static StrongRefCreator<Spline2D> make(const StrongRef<Point2D>& start,
                                           const StrongRef<Point2D>& end,
                                           const ZkArray<ZkGePoint2d>& fitPoints);
    // End points found or made at the first and last fit points.
    static StrongRefCreator<Spline2D> make(const StrongRef<Entity>& parent,
                                           const ZkArray<ZkGePoint2d>& fitPoints);

    unsigned int fitPoints() const;
    // The origin for an index out of range.
    ZkGePoint2d fitPoint(unsigned int index) const;
    void getFitPoints(ZkArray<ZkGePoint2d>& fitPoints) const;

    const ZkGeNurbCurve2d& splineCurve() const { return m_splineCurve; }
    void splineCurve(const ZkGeNurbCurve2d& curve);
    unsigned int fitPointsLimit() const { return m_fitPointsLimit; }
    // 0 for no limit; an existing list is not shortened.
    void setFitPointLimit(unsigned int limit);
    // Refits through the points, without end tangents; an empty list is
    // ignored, since the ends need a first and a last fit point.
    void setFitPoints(const ZkArray<ZkGePoint2d>& fitPoints);
    // Appends a fit point; at the limit, every other point goes first.
    void addFitPoint(const ZkGePoint2d& point);
    // Ignored while the spline has no fit points.
    void replaceLastFitPoint(const ZkGePoint2d& point);

    const StrongRef<Point2D>& startPoint() const { return m_rStartPoint; }
    const StrongRef<Point2D>& endPoint() const { return m_rEndPoint; }

    // Draws the sampled curve; the model box holds the end points and every
    // fit point.
    void realizeGeometry(Scene::NodeChange& change, int level) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Spline2D")

protected:
    Spline2D(Segment* segment, uint64_t id);

    void onPreDeletion(int kind) override;
    bool onReferences(const StrongRef<Point2D>& point) const override;
    bool onHasLines() const override { return true; }
    bool onHasFill() const override { return false; }
    void onTranslate(const ZkGeVector2d& offset) override;
    std::wstring onkTag() const override { return L"Spln2"; }
    std::wstring onToString() const override;
    const ZkGeCurve2d* sampledCurve() const override { return &m_splineCurve; }

private:
    Spline2D(Entity* parent, const StrongRef<Point2D>& start, const StrongRef<Point2D>& end,
             const ZkArray<ZkGePoint2d>& fitPoints);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    // Rebinds whichever end reference no longer sits at its end fit point.
    void resetEndPoints();
    // Rebinds the end reference to the point at `position`.
    void resetEndPoint(const ZkGePoint2d& position);
    // Lets go of the point in `field` (collected unless the other end holds
    // it too) and binds the point at `position` instead.
    void rebind(StrongRef<Point2D>& field, const StrongRef<Point2D>& otherEnd,
                const ZkGePoint2d& position);

    StrongRef<Point2D> m_rStartPoint;
    StrongRef<Point2D> m_rEndPoint;
    ZkGeNurbCurve2d m_splineCurve;
    unsigned int m_fitPointsLimit = 0;
};

} // namespace Kv::Geometry
