#pragma once

#include "Geometry/curves3d/Line3D.h"
#include "Kv/Base/PassiveRef.h"

namespace Kv::Geometry {

class CurveUses;

// The tangent of a spline at one fit point, shown as a line centred on the
// point whose half-length vector is the tangent. Its two points are its own;
// it leaves the sketch once no spline uses it.
class TangentHandle : public Line3D {
    KV_GEOMETRY_ENTITY(TangentHandle, Line3D)

public:
    static StrongRefCreator<TangentHandle> make(const StrongRef<Entity>& parent,
                                                const StrongRef<Point3D>& start,
                                                const StrongRef<Point3D>& end);
    // The handle from position - tangent to position + tangent, on two new
    // points, so that `position` lies at its middle.
    static StrongRefCreator<TangentHandle>
    make(const StrongRef<Entity>& parent, const ZkGePoint3d& position, const ZkGeVector3d& tangent);

    // Vector from the middle of the handle to its end.
    ZkGeVector3d tangent() const { return (end() - start()) / 2.0; }

    const StrongRef<CurveUses>& curveUses() const { return m_curveUses; }
    void addCurveUse(const PassiveRef<Curve3D>& curve);
    void removeCurveUse(const PassiveRef<Curve3D>& curve);
    // The fit point of the first spline using the handle, remembered once
    // found; null when no spline lists it.
    StrongRef<Point3D> fitPoint() const;
    // Leaves its group when no curve uses it, unless the group is going.
    void removeIfNoUse();

    // The segment follows the points, and the splines using the handle
    // follow the new tangent.
    void updateCurve() override;

    EGeometry3DType geomType() const override { return kTangentHandle; }

    // A DeleteTangentRequest when `path` ends at this handle.
    Request* onProvideDeleteRequest(const ObjectPath& path) override;

    void realizeAppearance(Scene::NodeChange& change) override;
    void activeEnvironmentChanged(Event* event) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::TangentHandle")

protected:
    TangentHandle(Segment* segment, uint64_t id);
    void onPostCreation(int kind) override;
    // The handle's points show and hide with it, outside undo.
    void onIsVisible(bool visible) override;
    std::wstring onToString() const override;

private:
    TangentHandle(Entity* parent, const StrongRef<Point3D>& start, const StrongRef<Point3D>& end);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    StrongRef<CurveUses> m_curveUses;
    mutable PassiveRef<Point3D> m_fitPoint;
};

} // namespace Kv::Geometry
