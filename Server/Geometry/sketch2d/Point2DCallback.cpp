#include "Geometry/sketch2d/Point2DCallback.h"

#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Sketch2D.h"
#include "Geometry/sketch2d/Sketch2Ds.h"
#include "Kv/CommonData/ManagedGroupEntity.h"
#include "Kv/CommonData/ManagedRootCollection.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/Segment.h"

namespace Kv::Geometry {

// Out of line so that the class's vtable and type information live in this
// library only.
Point2DCallback::~Point2DCallback() = default;

void Point2DCallback::onPostRestore(Asset& asset) {
    for (const auto& segment : asset.segments())
        for (const auto& [rootId, root] : segment->rootEntities())
            if (root)
                restore(*root);
}

// Sketches may sit in any collection of any segment, so the whole model is
// walked once; inside a sketch only its direct points are indexed (groups
// search their points instead). A sketch's geometry joins the scene when the
// sketch gathers its children's nodes.
void Point2DCallback::restore(Entity& entity) const {
    if (auto* sketch = ::Kv::queryInterface<Sketch2D>(&entity)) {
        for (const StrongRef<Entity>& child : sketch->children())
            if (auto* point = ::Kv::queryInterface<Point2D>(child.get()))
                sketch->addPoint2D(point->point(), point);
        sketch->connectScene();
        return;
    }
    if (auto* sketches = ::Kv::queryInterface<Sketch2Ds>(&entity))
        sketches->connectScene();
    if (auto* group = ::Kv::queryInterface<Managed::ManagedGroupEntity>(&entity))
        for (const StrongRef<Entity>& child : group->children())
            restore(*child);
    if (auto* collection = ::Kv::queryInterface<Managed::ManagedRootCollection>(&entity))
        for (const StrongRef<Entity>& element : collection->elements())
            restore(*element);
}

} // namespace Kv::Geometry
