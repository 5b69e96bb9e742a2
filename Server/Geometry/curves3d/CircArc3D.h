#pragma once

#include "Geometry/curves3d/Curve3D.h"
#include "ZkGeCircArc3d.h"

namespace Kv::Geometry {

// A circular arc or full circle of a 3D sketch about a shared centre point; an
// arc runs counter-clockwise about its normal between shared start and end
// points, a circle has neither.
class CircArc3D : public Curve3D {
    KV_GEOMETRY_ENTITY(CircArc3D, Curve3D)

public:
    // The arc about `normal` from `start` to `end`, with the radius of `start`.
    static StrongRefCreator<CircArc3D> make(const StrongRef<Entity>& parent,
                                            const StrongRef<Point3D>& center,
                                            const StrongRef<Point3D>& start,
                                            const StrongRef<Point3D>& end,
                                            const ZkGeVector3d& normal);
    static StrongRefCreator<CircArc3D> make(const StrongRef<Entity>& parent,
                                            const StrongRef<Point3D>& center,
                                            const ZkGeVector3d& normal, double radius);
    // The arc from `start` through `onArc` to `end`, turned so that it runs
    // counter-clockwise about `normal`, with a new centre point of its own.
    // Null, and nothing made, when the three positions lie on one line.
    static StrongRefCreator<CircArc3D> make(const StrongRef<Entity>& parent,
                                            const StrongRef<Point3D>& start,
                                            const ZkGePoint3d& onArc, const StrongRef<Point3D>& end,
                                            const ZkGeVector3d& normal);
    // As the makes from points, on sketch points found at the positions or
    // made there (centre first).
    static StrongRefCreator<CircArc3D> make(const StrongRef<Entity>& parent,
                                            const ZkGePoint3d& center, const ZkGePoint3d& start,
                                            const ZkGePoint3d& end, const ZkGeVector3d& normal);
    static StrongRefCreator<CircArc3D> make(const StrongRef<Entity>& parent,
                                            const ZkGePoint3d& center, const ZkGeVector3d& normal,
                                            double radius);

    const ZkGeCurve3d& curve() const override { return m_arcCurve; }
    const ZkGeCircArc3d& arcCurve() const { return m_arcCurve; }
    const StrongRef<Point3D>& centerPoint() const { return m_centerPoint; }
    double radius() const { return m_arcCurve.radius(); }
    // Changes the kernel radius only; the points stay where they are.
    void radius(double radius);
    double startAngle() const { return m_arcCurve.startAng(); }
    double endAngle() const { return m_arcCurve.endAng(); }
    ZkGeVector3d refVec() const { return m_arcCurve.refVec(); }
    ZkGeVector3d normal() const { return m_arcCurve.normal(); }
    bool isCircle() const;
    // Follows the points: the centre is the centre point, and an arc starts
    // at the start point's direction and radius and ends at the end point's
    // direction, wherever its distance.
    void updateCurve() override;
    void setStartPoint(const StrongRef<Point3D>& point) override;
    void setEndPoint(const StrongRef<Point3D>& point) override;
    // Turns this arc into the circle `circle` when that is closed and this is
    // not; with `moveCenter` the centre point moves to the circle's centre and
    // the arc lets go of its start and end points.
    void arcToCircle(const ZkGeCircArc3d& circle, bool moveCenter);

    bool degenerate() const override;
    // Whether it is a circle; the tolerance is not used.
    bool isClosed(double) const override { return isCircle(); }
    using Curve3D::isClosed;
    // Start, end and centre.
    std::vector<PassiveRef<Point3D>> deleteNominees() const override;

    // A reversed circle keeps its centre point and radius and turns its
    // normal over; a reversed arc runs from the old end to the old start about
    // the turned normal.
    StrongRef<Curve3D> reverseCurve() override;
    StrongRef<Curve3D> transformBy(const ZkGeMatrix3d& matrix) override;
    StrongRef<Curve3D> clone() override;
    void SplitInTwo(const StrongRef<Point3D>& at, StrongRef<Curve3D>& first,
                    StrongRef<Curve3D>& second) override;
    // Across the radius at the end point: the end direction from the centre
    // crossed with the normal, which points back along the arc; the x axis
    // without an end point.
    ZkGeVector3d GetCurveTangentAtEndPoint() const override;

    EGeometry3DType geomType() const override { return kCircArc3D; }
    // The centre.
    bool getPosition(ZkGePoint3d& position) const override;

    void realizeGeometry(Scene::NodeChange& change) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::CircArc3D")

protected:
    // Without both ends, the full circle of `radius` about the centre.
    CircArc3D(Entity* parent, const StrongRef<Point3D>& center, const StrongRef<Point3D>& start,
              const StrongRef<Point3D>& end, const ZkGeVector3d& normal, double radius);
    CircArc3D(Entity* parent, const StrongRef<Point3D>& center, const StrongRef<Point3D>& start,
              const ZkGePoint3d& onArc, const StrongRef<Point3D>& end);
    CircArc3D(Segment* segment, uint64_t id);

    void onPostCreation(int kind) override;
    void onPreDeletion(int kind) override;
    bool onReferences(const StrongRef<Point3D>& point) const override;
    void onTranslate(const ZkGeVector3d&) override {}
    void onCreateGeometryNode(Scene::NodeChange& change) override;
    const wchar_t* onkWord() const override { return L"CircArc"; }
    std::wstring onToString() const override;

private:
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    ZkGePoint3d center() const;

    ZkGeCircArc3d m_arcCurve;
    StrongRef<Point3D> m_centerPoint;
};

} // namespace Kv::Geometry
