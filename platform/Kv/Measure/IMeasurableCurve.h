#pragma once

#include "Kv/Base/UniqueString.h"

class ZkGeCurve3d;

namespace Kv {

// A measurable adapter holding a curve in model space.
class IMeasurableCurve {
public:
    // Null when the adapter was made without a curve.
    virtual const ZkGeCurve3d* curve() const = 0;
    // A curve is held and its parameter interval is bounded at both ends.
    virtual bool bounded() const = 0;
    // A curve is held and it is straight (a line, ray or segment).
    virtual bool linear() const = 0;
    // A curve is held and it is a circle or circular arc.
    virtual bool circular() const = 0;

    KV_INTERFACE_ID("Kv::IMeasurableCurve")

protected:
    ~IMeasurableCurve() = default;
};

} // namespace Kv
