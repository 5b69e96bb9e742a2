#pragma once

#include "Kv/DataModel/DataModelCallback.h"

namespace Kv::Geometry {

// Data-model events that concern sketches as a whole. Sketch asks for
// clone-paste notification and installs the global instance on its meta type
// when its member set is first built.
class SketchDataModelCallback : public DataModelCallback {
public:
    SketchDataModelCallback() = default;
    ~SketchDataModelCallback() override;

    // Files a sketch made by a clone-paste with its segment's sketches root,
    // when the segment has one; it makes none.
    void onPostClonePaste(Entity& entity) override;
    // A document read from a file is not drawn until its sketch collections
    // join the scene; their sketches and geometry follow as they are drawn.
    void onPostRestore(Asset& asset) override;
};

// Made at load; GeometryRegistration.cpp fixes its place in the load order.
extern SketchDataModelCallback g_sketchDataModelCallback;

} // namespace Kv::Geometry
