#include "Geometry/sketch3d/MigrateSketchesHighWaterMark.h"

namespace Kv {

void MigrateSketchesHighWaterMark::migrate(Asset& /*asset*/) {
    // Computing each handed-in collection's high-water mark from its sketches
    // comes with the Sketches and Sketch classes.
}

} // namespace Kv
