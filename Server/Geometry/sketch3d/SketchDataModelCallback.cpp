#include "Geometry/sketch3d/SketchDataModelCallback.h"

namespace Kv::Geometry {

// Out of line so that the class's vtable and type information live in this
// library only.
SketchDataModelCallback::~SketchDataModelCallback() = default;

} // namespace Kv::Geometry
