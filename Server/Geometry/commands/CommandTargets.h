#pragma once

#include <string>

namespace Kv {
class CommandContext;
class Entity;
} // namespace Kv

namespace Kv::Geometry {

class Sketch;
class Sketches;

// What the add-in's commands act on, found from their words and the session,
// with the errors a user needs when a path names the wrong thing.
class CommandTargets {
public:
    // The component's sketch collection.
    static Sketches& sketches(CommandContext& context);
    // The current sketch (`.`); fails when there is none, when it is not a 3D
    // sketch, or when undo took it out of the document.
    static Sketch& currentSketch(CommandContext& context);
    // The entity at the path read as the next argument, named `what` in
    // errors.
    static Entity& entity(CommandContext& context, const std::string& what);
    // The entity's path as commands print it.
    static std::string pathOf(CommandContext& context, Entity& entity);
};

} // namespace Kv::Geometry
