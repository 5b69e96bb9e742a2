#include "Geometry/commands/CommandTargets.h"

#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/sketch3d/Sketches.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandLine.h"
#include "Kv/Commands/Session.h"
#include "Kv/CommonData/Component.h"

namespace Kv::Geometry {

Sketches& CommandTargets::sketches(CommandContext& context) {
    Component& component = context.session().component();
    for (const StrongRef<Entity>& child : component.children())
        if (auto* sketches = ::Kv::queryInterface<Sketches>(child.get()))
            return *sketches;
    throw CommandError("the document's component has no sketch collection");
}

Sketch& CommandTargets::currentSketch(CommandContext& context) {
    Session& session = context.session();
    session.document();
    StrongRef<Entity> current = session.currentPath();
    if (!current)
        throw CommandError("there is no current sketch ('sketch' makes one, 'use PATH' picks one)");
    auto* sketch = ::Kv::queryInterface<Sketch>(current.get());
    if (!sketch)
        throw CommandError("the current sketch '" + session.pathOf(current.get()) +
                           "' is not a 3D sketch");
    // Undo can take the current sketch out of the document while the session
    // still names it; nothing may be drawn into it then.
    StrongRef<Sketches> owner = sketch->parentSketches();
    if (!owner || owner->indexOf(sketch) == Managed::ManagedGroupEntity::npos ||
        owner->parentEntity() != &session.component())
        throw CommandError("the current sketch is no longer in the document ('use PATH' picks "
                           "another)");
    return *sketch;
}

Entity& CommandTargets::entity(CommandContext& context, const std::string& what) {
    return context.session().resolve(context.args().path(what));
}

std::string CommandTargets::pathOf(CommandContext& context, Entity& entity) {
    return context.session().pathOf(&entity);
}

} // namespace Kv::Geometry
