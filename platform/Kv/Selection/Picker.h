#pragma once

#include "Kv/Base/StrongRef.h"

#include <vector>

namespace Wyn::Scene {
class View;
}

namespace Kv {

class Entity;
class LogicalSelection;

namespace Scene {
class SceneManager;
}

// Picking in a drawn view: which entities' drawings pass near a point of the
// view, and the selection an entity makes of a pick of it. View coordinates
// are those of Wyn::Scene::View (x right, y up, in model units).
class Picker {
public:
    struct Candidate {
        Entity* entity;
        double distance; // in view units, from the picked point to the drawing
    };

    // The entities whose selectable drawings (hidden ones included: the
    // shared ends of sketch lines are hidden but pickable) come within
    // `tolerance` of view point (x, y) (a point inside a filled triangle or
    // glyph is on it), each once, nearest first; at equal
    // distance points before curves and faces, then the drawing on top.
    static std::vector<Candidate> candidates(Scene::SceneManager& scene,
                                             const Wyn::Scene::View& view, double x, double y,
                                             double tolerance);

    // The selection the nearest selection source at or above `entity` (on
    // its path from the document root) makes of a pick of it, carrying the
    // pick ray through view point (x, y) as its hit information; null when
    // there is no such source or it selects nothing.
    static StrongRef<LogicalSelection> select(Entity* entity, const Wyn::Scene::View& view,
                                              double x, double y);
};

} // namespace Kv
