#pragma once

#include "Geometry/curves3d/Curve3D.h"
#include "ZkGeEllipArc3d.h"

namespace Kv::Geometry {

// An elliptic arc or full ellipse of a 3D sketch about a shared centre point;
// an arc runs between shared start and end points, an ellipse has neither.
// Axis vectors passed in and out are scaled: unit axis times radius.
class EllipticArc3D : public Curve3D {
    KV_GEOMETRY_ENTITY(EllipticArc3D, Curve3D)

public:
    // The arc of the ellipse with axes `major` and `minor` about `center`,
    // from the parametric angle of `start` to that of `end`.
    static StrongRefCreator<EllipticArc3D>
    make(const StrongRef<Entity>& parent, const StrongRef<Point3D>& center,
         const StrongRef<Point3D>& start, const StrongRef<Point3D>& end, const ZkGeVector3d& major,
         const ZkGeVector3d& minor);
    static StrongRefCreator<EllipticArc3D> make(const StrongRef<Entity>& parent,
                                                const StrongRef<Point3D>& center,
                                                const ZkGeVector3d& major,
                                                const ZkGeVector3d& minor);
    // As the makes from points, on sketch points found at the positions or
    // made there (centre first).
    static StrongRefCreator<EllipticArc3D> make(const StrongRef<Entity>& parent,
                                                const ZkGePoint3d& center, const ZkGePoint3d& start,
                                                const ZkGePoint3d& end, const ZkGeVector3d& major,
                                                const ZkGeVector3d& minor);
    static StrongRefCreator<EllipticArc3D> make(const StrongRef<Entity>& parent,
                                                const ZkGePoint3d& center,
                                                const ZkGeVector3d& major,
                                                const ZkGeVector3d& minor);

    // `angle` brought into [0, 2 pi] by whole turns; 0 and 2 pi stay as they are.
    static double adjustPeriod2PI(double angle);
    // The parametric angle of `position` on the ellipse about `center` with
    // axes `major` and `minor`, in [0, 2 pi].
    static double decomposePointIntoAngParam(const ZkGePoint3d& center, const ZkGeVector3d& major,
                                             const ZkGeVector3d& minor,
                                             const ZkGePoint3d& position);

    const ZkGeCurve3d& curve() const override { return m_ellipticCurve; }
    const ZkGeEllipArc3d& ellipticCurve() const { return m_ellipticCurve; }
    const StrongRef<Point3D>& centerPoint() const { return m_centerPoint; }
    ZkGeVector3d majorAxis() const;
    ZkGeVector3d minorAxis() const;
    double majorRadius() const { return m_ellipticCurve.majorRadius(); }
    double minorRadius() const { return m_ellipticCurve.minorRadius(); }
    double startAngle() const { return m_ellipticCurve.startAng(); }
    double endAngle() const { return m_ellipticCurve.endAng(); }
    bool isEllipse() const;
    // Set the kernel radii and axes (unit vectors); the points stay where
    // they are.
    void majorRadius(double radius);
    void minorRadius(double radius);
    void setAxis(const ZkGeVector3d& major, const ZkGeVector3d& minor);

    // Rebuilds `arc` about `center` with this ellipse's axes and radii; an arc
    // takes its angles from the directions of `start` and `end`.
    void updateCurve(const ZkGePoint3d& center, const ZkGePoint3d& start, const ZkGePoint3d& end,
                     ZkGeEllipArc3d& arc) const;
    void updateCurve() override;
    void setStartPoint(const StrongRef<Point3D>& point) override;
    void setEndPoint(const StrongRef<Point3D>& point) override;

    bool degenerate() const override;
    // Whether it is a full ellipse; the tolerance is not used.
    bool isClosed(double) const override { return isEllipse(); }
    using Curve3D::isClosed;
    // Start, end and centre.
    std::vector<PassiveRef<Point3D>> deleteNominees() const override;

    // Reversed curves keep the major axis and turn the minor one over.
    StrongRef<Curve3D> reverseCurve() override;
    StrongRef<Curve3D> transformBy(const ZkGeMatrix3d& matrix) override;
    StrongRef<Curve3D> clone() override;
    void SplitInTwo(const StrongRef<Point3D>& at, StrongRef<Curve3D>& first,
                    StrongRef<Curve3D>& second) override;
    // The direction from the centre to the end point crossed with the
    // ellipse's normal; the x axis without an end point.
    ZkGeVector3d GetCurveTangentAtEndPoint() const override;

    EGeometry3DType geomType() const override { return kEllipticArc3D; }
    // The centre.
    bool getPosition(ZkGePoint3d& position) const override;

    void realizeGeometry(Scene::NodeChange& change) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::EllipticArc3D")

protected:
    // Without both ends, the full ellipse.
    EllipticArc3D(Entity* parent, const StrongRef<Point3D>& center, const StrongRef<Point3D>& start,
                  const StrongRef<Point3D>& end, const ZkGeVector3d& major,
                  const ZkGeVector3d& minor);
    EllipticArc3D(Segment* segment, uint64_t id);

    void onPostCreation(int kind) override;
    void onPreDeletion(int kind) override;
    bool onReferences(const StrongRef<Point3D>& point) const override;
    void onTranslate(const ZkGeVector3d&) override {}
    void onCreateGeometryNode(Scene::NodeChange& change) override;
    const wchar_t* onkWord() const override { return L"EllipticArc"; }
    std::wstring onToString() const override;

private:
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    ZkGePoint3d center() const;

    ZkGeEllipArc3d m_ellipticCurve;
    StrongRef<Point3D> m_centerPoint;
};

} // namespace Kv::Geometry
