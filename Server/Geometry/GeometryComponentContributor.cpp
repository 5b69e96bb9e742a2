#include "Geometry/GeometryComponentContributor.h"

#include "Geometry/sketch2d/Sketch2Ds.h"
#include "Geometry/sketch3d/Sketches.h"
#include "Geometry/sketch3d/SketchesRoot.h"
#include "Geometry/workgeometry/OriginWorkGeometry.h"
#include "Geometry/workgeometry/WorkGeometries.h"
#include "Kv/CommonData/Component.h"

namespace Kv::Geometry {

GeometryComponentContributor& GeometryComponentContributor::instance() {
    static GeometryComponentContributor contributor;
    return contributor;
}

void GeometryComponentContributor::populateComponent(Component& component) {
    Sketches::make(&component);
    // Made with the document rather than by its first sketch, so that undoing
    // that sketch leaves the segment exactly as it was.
    if (!SketchesRoot::find(component.segment()))
        SketchesRoot::make(component.segment());
    WorkGeometries::make(&component);
    OriginWorkGeometry::makeStandard(&component);
    Sketch2Ds::make(&component);
}

} // namespace Kv::Geometry
