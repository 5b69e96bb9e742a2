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
    bool isEllipse() const { return m_ellipticCurve.isClosed(); }

    // Rebuilds `arc` about `center` with this ellipse's axes and radii; an arc
    // takes its angles from the directions of `start` and `end`.
    void updateCurve(const ZkGePoint3d& center, const ZkGePoint3d& start, const ZkGePoint3d& end,
                     ZkGeEllipArc3d& arc) const;
    void updateCurve() override;

    EGeometry3DType geomType() const override { return kEllipticArc3D; }
    bool getPosition(ZkGePoint3d& position) const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::EllipticArc3D")

protected:
    // Without both ends, the full ellipse.
    EllipticArc3D(Entity* parent, const StrongRef<Point3D>& center, const StrongRef<Point3D>& start,
                  const StrongRef<Point3D>& end, const ZkGeVector3d& major,
                  const ZkGeVector3d& minor);
    EllipticArc3D(Segment* segment, uint64_t id);

    void onPostCreation(int kind) override;
    bool onReferences(const StrongRef<Point3D>& point) const override;
    void onTranslate(const ZkGeVector3d&) override {}
    std::wstring onToString() const override;

private:
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    ZkGePoint3d center() const;

    ZkGeEllipArc3d m_ellipticCurve;
    StrongRef<Point3D> m_centerPoint;
};

} // namespace Kv::Geometry
