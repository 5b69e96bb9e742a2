#pragma once

#include "Geometry/curves3d/Line3D.h"

namespace Kv::Geometry {

class CurveUses;

// The tangent of a spline at one fit point, shown as a line centred on the
// point whose half-length vector is the tangent.
class TangentHandle : public Line3D {
    KV_GEOMETRY_ENTITY(TangentHandle, Line3D)

public:
    static StrongRefCreator<TangentHandle> make(const StrongRef<Entity>& parent,
                                                const StrongRef<Point3D>& start,
                                                const StrongRef<Point3D>& end);

    const StrongRef<CurveUses>& curveUses() const { return m_curveUses; }
    // Vector from the middle of the handle to its end.
    ZkGeVector3d tangent() const { return (end() - start()) / 2.0; }

    EGeometry3DType geomType() const override { return kTangentHandle; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::TangentHandle")

protected:
    TangentHandle(Segment* segment, uint64_t id);
    void onPostCreation(int kind) override;
    std::wstring onToString() const override;

private:
    TangentHandle(Entity* parent, const StrongRef<Point3D>& start, const StrongRef<Point3D>& end);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    StrongRef<CurveUses> m_curveUses;
};

} // namespace Kv::Geometry
