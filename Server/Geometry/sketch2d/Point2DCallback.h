#pragma once

#include "Kv/DataModel/DataModelCallback.h"

namespace Kv {
class Entity;
}

namespace Kv::Geometry {

// Data-model events that concern 2D points as a whole. Point2D installs the
// global instance on its meta type when its member set is first built.
class Point2DCallback : public DataModelCallback {
public:
    Point2DCallback() = default;
    ~Point2DCallback() override;

    // The point index is never persisted: after a restore every point
    // directly under a 2D sketch is entered there again at its position.
    void onPostRestore(Asset& asset) override;

private:
    void restoreIndexes(Entity& entity) const;
};

// Made at load; GeometryRegistration.cpp fixes its place in the load order.
extern Point2DCallback g_point2DCallback;

} // namespace Kv::Geometry
