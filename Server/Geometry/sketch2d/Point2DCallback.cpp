#include "Geometry/sketch2d/Point2DCallback.h"

namespace Kv::Geometry {

// Out of line so that the class's vtable and type information live in this
// library only.
Point2DCallback::~Point2DCallback() = default;

} // namespace Kv::Geometry
