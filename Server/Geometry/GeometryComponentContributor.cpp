#include "Geometry/GeometryComponentContributor.h"

#include "Geometry/sketch3d/Sketches.h"
#include "Kv/CommonData/Component.h"

namespace Kv::Geometry {

GeometryComponentContributor& GeometryComponentContributor::instance() {
    static GeometryComponentContributor contributor;
    return contributor;
}

void GeometryComponentContributor::populateComponent(Component& component) {
    Sketches::make(&component);
}

} // namespace Kv::Geometry
