#pragma once

#include "Kv/Commands/IComponentContributor.h"

namespace Kv::Geometry {

// Gives every new component the add-in's collections.
class GeometryComponentContributor : public IComponentContributor {
public:
    static GeometryComponentContributor& instance();
    void populateComponent(Component& component) override;
};

} // namespace Kv::Geometry
