#pragma once

#include "ZkGeMatrix3d.h"
#include "ZkGeRay3d.h"

namespace Kv {

// How a pick reached a selection: the pick ray in the coordinates of the
// scene node that was hit, and that node's transform into world coordinates.
// Selections made without a pick (by a command naming a path) have none.
struct SelectionHitInfo {
    ZkGeRay3d localRay;
    ZkGeMatrix3d localToWorld;

    // The pick ray in world coordinates.
    ZkGeRay3d worldRay() const {
        ZkGeRay3d ray(localRay);
        ray.transformBy(localToWorld);
        return ray;
    }
};

} // namespace Kv
