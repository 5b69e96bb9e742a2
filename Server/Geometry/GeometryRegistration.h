#pragma once

#include <string>
#include <vector>

namespace Kv::Geometry {

// The names of the library's load-time globals in the order they were made:
// meta types by their meta type names, and "GeometryAddIn",
// "Point2DCallback", "SketchDataModelCallback" and
// "MigrateSketchesHighWaterMark" for the others, selection categories by
// their string table keys and the measure client and filter finders by their
// class names. The host relies on that
// order (bases before the classes that name them, callbacks before the types
// that install them), so it is kept where it can be checked.
const std::vector<std::string>& registrationOrder();

} // namespace Kv::Geometry
