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

    // Filing clone-pasted sketches into their segment's sketches root comes
    // with the Sketch and SketchesRoot classes.
};

// Made at load; GeometryRegistration.cpp fixes its place in the load order.
extern SketchDataModelCallback g_sketchDataModelCallback;

} // namespace Kv::Geometry
