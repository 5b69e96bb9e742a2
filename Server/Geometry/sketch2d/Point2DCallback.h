#pragma once

#include "Kv/DataModel/DataModelCallback.h"

namespace Kv {
class Entity;
}

namespace Kv::Geometry {

// Data-model events that concern the 2D drawing model as a whole. Point2D,
// Sketch2D and Sketch2Ds install the global instance on their meta types when
// their member sets are first built.
class Point2DCallback : public DataModelCallback {
public:
    Point2DCallback() = default;
    ~Point2DCallback() override;

    // The point index and the scene are never persisted: after a restore
    // every point directly under a 2D sketch is entered there again at its
    // position, and every sketch and sketch collection joins the scene.
    void onPostRestore(Asset& asset) override;

private:
    void restore(Entity& entity) const;
};

// Made at load; GeometryRegistration.cpp fixes its place in the load order.
extern Point2DCallback g_point2DCallback;

} // namespace Kv::Geometry
