#pragma once

#include "Geometry/curves3d/CircArc3D.h"
#include "Kv/Base/PassiveRef.h"

namespace Kv::Geometry {

class CurveUses;

// The curvature of a spline at one fit point, shown as an arc through the
// point whose radius is the radius of curvature. Its points are its own; it
// leaves the sketch once no spline uses it.
class CurvatureHandle : public CircArc3D {
    KV_GEOMETRY_ENTITY(CurvatureHandle, CircArc3D)

public:
    // A handle on new points at the kernel arc's centre, start and end.
    static StrongRefCreator<CurvatureHandle> make(const StrongRef<Entity>& parent,
                                                  const ZkGeCircArc3d& arc);
    // A handle on new points at the given positions, with the radius of `start`.
    static StrongRefCreator<CurvatureHandle> make(const StrongRef<Entity>& parent,
                                                  const ZkGePoint3d& center,
                                                  const ZkGePoint3d& start, const ZkGePoint3d& end,
                                                  const ZkGeVector3d& normal);
    // The arc of length 2 centred on `position` that shows the curvature
    // vector `curvature` in the sketch plane (radius 1/|K|, at most 1000).
    static ZkGeCircArc3d arcFromCurvature(const ZkGeVector3d& curvature,
                                          const ZkGePoint3d& position);

    // The curvature vector the handle shows at its fit point: towards the
    // fit point from the centre, of length 1 / radius; zero without a fit
    // point.
    ZkGeVector3d curvature() const;

    const StrongRef<CurveUses>& curveUses() const { return m_curveUses; }
    void addCurveUse(const PassiveRef<Curve3D>& curve);
    void removeCurveUse(const PassiveRef<Curve3D>& curve);
    // The fit point of the first spline using the handle, remembered once
    // found; null when no spline lists it.
    StrongRef<Point3D> fitPoint() const;
    // Leaves its group when no curve uses it, unless the group is going.
    void removeIfNoUse();

    // The arc follows the points, and the splines using the handle follow
    // the new curvature.
    void updateCurve() override;

    EGeometry3DType geomType() const override { return kCurvatureHandle; }

    // A DeleteCurvatureRequest when `path` ends at this handle.
    Request* onProvideDeleteRequest(const ObjectPath& path) override;

    void realizeAppearance(Scene::NodeChange& change) override;
    void activeEnvironmentChanged(Event* event) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::CurvatureHandle")

protected:
    CurvatureHandle(Segment* segment, uint64_t id);
    void onPostCreation(int kind) override;
    std::wstring onToString() const override;

private:
    CurvatureHandle(Entity* parent, const StrongRef<Point3D>& center,
                    const StrongRef<Point3D>& start, const StrongRef<Point3D>& end,
                    const ZkGeVector3d& normal, double radius);
    static StrongRefCreator<CurvatureHandle>
    makeOnNewPoints(const StrongRef<Entity>& parent, const ZkGePoint3d& center,
                    const ZkGePoint3d& start, const ZkGePoint3d& end, const ZkGeVector3d& normal,
                    double radius);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    StrongRef<CurveUses> m_curveUses;
    mutable PassiveRef<Point3D> m_fitPoint;
};

} // namespace Kv::Geometry
