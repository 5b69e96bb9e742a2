#pragma once

#include "ZkGeEntity3d.h"

// Base of the flat entities. Each lies in a carrying plane given by a point
// and a unit normal; the distance queries respect the entity's own extent.
class ZkGePlanarEnt : public ZkGeEntity3d {
public:
    bool isKindOf(ZkGe::EntityId id) const override {
        return id == ZkGe::kPlanarEnt || ZkGeEntity3d::isKindOf(id);
    }

    virtual ZkGeVector3d normal() const = 0;
    virtual ZkGePoint3d pointOnPlane() const = 0;
    virtual bool isOn(const ZkGePoint3d& point, const ZkGeTol& tol = ZkGeContext::gTol) const = 0;
    virtual double distanceTo(const ZkGePoint3d& point) const = 0;
    virtual ZkGePoint3d closestPointTo(const ZkGePoint3d& point) const = 0;

    // Whether both carrying planes are the same, whichever way the normals face.
    bool isCoplanarTo(const ZkGePlanarEnt& other, const ZkGeTol& tol = ZkGeContext::gTol) const;
    // A right-handed frame in the carrying plane: origin = pointOnPlane(),
    // uAxis = normal().perpVector() (see there for the rule, which keeps the
    // xy plane's axes as x and y), vAxis = normal x uAxis. All unit length.
    void getCoordSystem(ZkGePoint3d& origin, ZkGeVector3d& uAxis, ZkGeVector3d& vAxis) const;

protected:
    ZkGePlanarEnt() = default;
    ZkGePlanarEnt(const ZkGePlanarEnt&) = default;
    ZkGePlanarEnt& operator=(const ZkGePlanarEnt&) = default;
};
