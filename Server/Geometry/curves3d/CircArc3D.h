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
    bool isCircle() const { return m_arcCurve.isClosed(); }
    // Follows the points: the centre is the centre point, and an arc starts
    // at the start point's direction and radius and ends at the end point's
    // direction, wherever its distance.
    void updateCurve() override;

    EGeometry3DType geomType() const override { return kCircArc3D; }
    bool getPosition(ZkGePoint3d& position) const override;

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
    bool onReferences(const StrongRef<Point3D>& point) const override;
    void onTranslate(const ZkGeVector3d&) override {}
    std::wstring onToString() const override;

private:
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    ZkGePoint3d center() const;

    ZkGeCircArc3d m_arcCurve;
    StrongRef<Point3D> m_centerPoint;
};

} // namespace Kv::Geometry
