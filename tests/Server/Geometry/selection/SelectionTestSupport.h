#pragma once

// Picking for the selection tests: what the host's picking does with an
// entity, and a sketch placed away from the component's axes.

#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Kv/DataModel/ILogicalSelectionSource.h"
#include "Kv/Scene/SceneManager.h"
#include "Kv/Selection/LogicalSelection.h"
#include "Kv/Selection/Picker.h"
#include "Wyn/Scene/View.h"

#include <vector>

namespace Kv::Geometry::SelectionTests {

// The selection `entity`'s own selection hook makes for a pick of it, as
// the selection class S; null when the hook makes none or one of another class.
// A nonzero `qualifier` picks that part of the entity (a handle, say).
template <class S> StrongRef<S> pick(Entity* entity, uint64_t qualifier = 0) {
    auto* source = queryInterface<ILogicalSelectionSource>(entity);
    if (!source)
        return {};
    ObjectPath path = ObjectPath::toEntity(entity);
    path.qualify(qualifier);
    StrongRef<LogicalSelection> made = source->onCreateLogicalSelection(path);
    return StrongRef<S>(queryInterface<S>(made.get()));
}

// The entities a click at top-view point (x, y) reaches, nearest first.
inline std::vector<Entity*> hitsAt(Scene::SceneManager& scene, double x, double y) {
    std::vector<Entity*> entities;
    for (const Picker::Candidate& candidate :
         Picker::candidates(scene, Wyn::Scene::View::top(), x, y, 0.1))
        entities.push_back(candidate.entity);
    return entities;
}

// Places `sketch` at (0, 0, 5) with its x axis along the component's y axis
// and its y axis along the component's -x axis: sketch (x, y, z) is
// component (-y, x, z + 5).
inline void placeSketch(const StrongRef<Sketch>& sketch) {
    StrongRef<CoordinateSystem> placement = CoordinateSystem::make(StrongRef<Entity>(sketch));
    placement->setCoordSystem(ZkGePoint3d(0, 0, 5), ZkGeVector3d::kYAxis, -ZkGeVector3d::kXAxis,
                              ZkGeVector3d::kZAxis);
    sketch->coordinateSystem(placement);
}

} // namespace Kv::Geometry::SelectionTests
