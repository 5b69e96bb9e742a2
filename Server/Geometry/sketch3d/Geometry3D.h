#pragma once

#include "Geometry/sketch3d/GeometryBase3D.h"
#include "ZkGePoint3d.h"

namespace Kv::Geometry {

// A single drawable 3D entity (as opposed to a group): points, curves, text
// and work geometry. Its type code tells the kinds apart cheaply.
class Geometry3D : public GeometryBase3D {
    KV_GEOMETRY_ENTITY(Geometry3D, GeometryBase3D)

public:
    enum EGeometry3DType {
        kGeometry3D = 0, // also work geometry
        kPoint3D = 1,
        kLine3D = 2,
        kTangentHandle = 3,
        kCircArc3D = 4,
        kEllipticArc3D = 5,
        kSpline3D = 6,
        kCurvatureHandle = 10,
        kText = 11,
        kTextBorder = 12,
    };

    virtual EGeometry3DType geomType() const { return kGeometry3D; }
    // A representative position; false (and `position` untouched) when the
    // entity has none.
    virtual bool getPosition(ZkGePoint3d& position) const;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Geometry3D")

protected:
    explicit Geometry3D(Entity* parent);
    explicit Geometry3D(Segment* segment);
    Geometry3D(Segment* segment, uint64_t id);

    std::wstring onToString() const override;

private:
    void initializeMemberSetIfNeeded();
};

} // namespace Kv::Geometry
