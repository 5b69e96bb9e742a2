#pragma once

#include "ZkGeEntityId.h"
#include "ZkGeMatrix3d.h"

#include <memory>

// Base of the kernel's 3d entities. Concrete entities are copyable values;
// this base lets callers hold and copy them without knowing the kind.
class ZkGeEntity3d {
public:
    virtual ~ZkGeEntity3d() = default;

    virtual ZkGe::EntityId type() const = 0;
    // True for the entity's own type and for every type it derives from.
    virtual bool isKindOf(ZkGe::EntityId id) const { return id == ZkGe::kEntity3d; }
    virtual std::unique_ptr<ZkGeEntity3d> copy() const = 0;
    virtual ZkGeEntity3d& transformBy(const ZkGeMatrix3d& m) = 0;
    ZkGeEntity3d& translateBy(const ZkGeVector3d& v) {
        return transformBy(ZkGeMatrix3d::translation(v));
    }
    // Same type, and the data the entity was built from matches within tol;
    // two descriptions of the same point set need not be equal.
    virtual bool isEqualTo(const ZkGeEntity3d& other,
                           const ZkGeTol& tol = ZkGeContext::gTol) const = 0;

protected:
    // Copying goes through the concrete classes, so a base copy cannot slice.
    ZkGeEntity3d() = default;
    ZkGeEntity3d(const ZkGeEntity3d&) = default;
    ZkGeEntity3d& operator=(const ZkGeEntity3d&) = default;
};
