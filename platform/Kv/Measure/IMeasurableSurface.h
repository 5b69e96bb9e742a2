#pragma once

#include "Kv/Base/UniqueString.h"

class ZkGePlanarEnt;

namespace Kv {

// A measurable adapter holding a surface in model space. The kernel's
// surfaces are its flat entities.
class IMeasurableSurface {
public:
    // Null when the adapter was made without a surface.
    virtual const ZkGePlanarEnt* surface() const = 0;
    // A surface is held and it has a finite extent.
    virtual bool bounded() const = 0;
    // A surface is held and it is a plane.
    virtual bool planar() const = 0;

    KV_INTERFACE_ID("Kv::IMeasurableSurface")

protected:
    ~IMeasurableSurface() = default;
};

} // namespace Kv
