#pragma once

#include "Kv/DataModel/DataModelCallback.h"

namespace Kv::Geometry {

// Data-model events that concern 2D points as a whole. Point2D installs the
// global instance on its meta type when its member set is first built.
class Point2DCallback : public DataModelCallback {
public:
    Point2DCallback() = default;
    ~Point2DCallback() override;

    // Refilling each 2D sketch's point index after a restore comes with the
    // Point2D and Sketch2D classes.
};

// Made at load; GeometryRegistration.cpp fixes its place in the load order.
extern Point2DCallback g_point2DCallback;

} // namespace Kv::Geometry
