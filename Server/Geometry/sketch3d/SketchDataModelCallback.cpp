#include "Geometry/sketch3d/SketchDataModelCallback.h"

#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/sketch3d/Sketches.h"
#include "Geometry/sketch3d/SketchesRoot.h"
#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/Segment.h"

namespace Kv::Geometry {

// Out of line so that the class's vtable and type information live in this
// library only.
SketchDataModelCallback::~SketchDataModelCallback() = default;

void SketchDataModelCallback::onPostClonePaste(Entity& entity) {
    auto* sketch = ::Kv::queryInterface<Sketch>(&entity);
    if (!sketch)
        return;
    if (StrongRef<SketchesRoot> root = SketchesRoot::find(entity.segment()))
        root->addElement(StrongRef<Entity>(sketch));
}

void SketchDataModelCallback::onPostRestore(Asset& asset) {
    for (const auto& segment : asset.segments())
        if (StrongRef<Component> component = Component::find(segment.get()))
            for (const StrongRef<Entity>& child : component->children())
                if (auto* sketches = ::Kv::queryInterface<Sketches>(child.get()))
                    sketches->connectScene();
}

} // namespace Kv::Geometry
