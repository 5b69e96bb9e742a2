#pragma once

#include "Kv/Base/UniqueString.h"

class ZkGePoint3d;

namespace Kv {

// A measurable adapter holding a point in model space.
class IMeasurablePoint {
public:
    // Null when the adapter was made without a point.
    virtual const ZkGePoint3d* point() const = 0;
    // The angle at `vertex` between this point and `last` (see
    // MeasureUtil::getPointPointPointAngle); false unless all three hold a
    // point and the angle is defined.
    virtual bool measureAngle(const IMeasurablePoint& vertex, const IMeasurablePoint& last,
                              double& angle) const = 0;

    KV_INTERFACE_ID("Kv::IMeasurablePoint")

protected:
    ~IMeasurablePoint() = default;
};

} // namespace Kv
