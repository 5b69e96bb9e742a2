#include "Geometry/sketch3d/MigrateSketchesHighWaterMark.h"

#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/sketch3d/Sketches.h"

namespace Kv {

// Sketches of such documents are numbered 1..n in child order, so old
// documents keep their order and new sketches continue at n + 1. The members
// are written directly: this is part of reading the document, not an edit.
void MigrateSketchesHighWaterMark::migrate(Asset&) {
    for (Entity* entity : entities()) {
        auto* sketches = queryInterface<Geometry::Sketches>(entity);
        if (!sketches)
            continue;
        unsigned int count = static_cast<unsigned int>(sketches->childCount());
        for (unsigned int i = 0; i < count; ++i)
            if (StrongRef<Geometry::Sketch> sketch = sketches->sketch(i))
                sketch->creationIndexForMigration(i + 1);
        sketches->highWaterMarkForMigration(count);
        sketches->doUninitializeMigrationHelpers();
    }
}

} // namespace Kv
