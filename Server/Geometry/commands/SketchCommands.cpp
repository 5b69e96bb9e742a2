#include "Geometry/commands/SketchCommands.h"

#include "Geometry/commands/CommandTargets.h"
#include "Geometry/sketch2d/Sketch2D.h"
#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/sketch3d/Sketches.h"
#include "Kv/Base/Utf8.h"
#include "Kv/Commands/ArgumentError.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandLine.h"
#include "Kv/Commands/CommandMgr.h"
#include "Kv/Commands/Session.h"
#include "Kv/CommonData/IVisibilityToggle.h"
#include "Kv/DataModel/IRenameTarget.h"
#include "Kv/DataModel/ObjectPath.h"

#include <optional>
#include <ostream>

namespace Kv::Geometry {
namespace {

// The sketch's axes from the optional x and z axes of the command: z is
// kept, x is squared up with it, y completes a right-handed system.
void axes(const std::optional<ZkGeVector3d>& xGiven, const std::optional<ZkGeVector3d>& zGiven,
          ZkGeVector3d& x, ZkGeVector3d& y, ZkGeVector3d& z) {
    z = zGiven.value_or(ZkGeVector3d::kZAxis);
    if (z.isZeroLength())
        throw ArgumentError("zaxis must not be the zero vector");
    z.normalize();
    x = xGiven.value_or(ZkGeVector3d::kXAxis);
    if (xGiven && x.isZeroLength())
        throw ArgumentError("xaxis must not be the zero vector");
    x = x - z * x.dotProduct(z);
    if (x.isZeroLength()) {
        if (xGiven)
            throw ArgumentError("xaxis must not be parallel to zaxis");
        // The default x axis along the given z: any axis across z will do.
        x = ZkGeVector3d::kYAxis - z * ZkGeVector3d::kYAxis.dotProduct(z);
    }
    x.normalize();
    y = z.crossProduct(x);
}

void sketch(CommandContext& context) {
    CommandLine& args = context.args();
    std::wstring name;
    if (const CommandLine::Word* next = args.peek();
        next && (next->quoted ||
                 (next->text != "origin" && next->text != "xaxis" && next->text != "zaxis")))
        name = Utf8::toWide(args.word("NAME"));
    std::optional<ZkGePoint3d> origin;
    std::optional<ZkGeVector3d> xAxis, zAxis;
    while (!args.atEnd()) {
        if (auto p = args.optionalPoint3("origin"))
            origin = p;
        else if (auto v = args.optionalVector3("xaxis"))
            xAxis = v;
        else if (auto w = args.optionalVector3("zaxis"))
            zAxis = w;
        else
            args.expectEnd();
    }
    ZkGeVector3d x, y, z;
    axes(xAxis, zAxis, x, y, z);

    StrongRef<Sketches> sketches(&CommandTargets::sketches(context));
    StrongRef<Sketch> made = Sketch::make(sketches, name);
    StrongRef<CoordinateSystem> placement = CoordinateSystem::make(StrongRef<Entity>(made));
    placement->setCoordSystem(origin.value_or(ZkGePoint3d::kOrigin), x, y, z);
    made->coordinateSystem(placement);
    context.session().setCurrentPath(StrongRef<Entity>(made));
    context.out() << Utf8::toUtf8(made->userName()) << '\n';
}

void use(CommandContext& context) {
    Entity& entity = CommandTargets::entity(context, "PATH");
    context.args().expectEnd();
    if (!::Kv::queryInterface<Sketch>(&entity) && !::Kv::queryInterface<Sketch2D>(&entity))
        throw CommandError("'" + CommandTargets::pathOf(context, entity) +
                           "' is not a 3D sketch or a 2D sketch");
    context.session().setCurrentPath(StrongRef<Entity>(&entity));
}

void rename(CommandContext& context) {
    Entity& entity = CommandTargets::entity(context, "PATH");
    const std::wstring name = Utf8::toWide(context.args().word("NAME"));
    context.args().expectEnd();
    auto* target = ::Kv::queryInterface<DataModel::IRenameTarget>(&entity);
    if (!target)
        throw CommandError("'" + CommandTargets::pathOf(context, entity) + "' has no user name");
    if (name.empty())
        throw ArgumentError("NAME must not be empty");
    if (!target->onRename(name))
        throw CommandError("'" + CommandTargets::pathOf(context, entity) + "' refused the name");
    // A name a sibling has already is made unique; say what it became.
    context.out() << Utf8::toUtf8(target->onRenameText()) << '\n';
}

void showOrHide(CommandContext& context, bool show) {
    Entity& entity = CommandTargets::entity(context, "PATH");
    context.args().expectEnd();
    auto* toggle = ::Kv::queryInterface<CommonData::IVisibilityToggle>(&entity);
    if (!toggle)
        throw CommandError("'" + CommandTargets::pathOf(context, entity) +
                           "' cannot be shown or hidden");
    if (toggle->isVisible(nullptr) == show)
        return;
    if (!toggle->toggleVisibility(ObjectPath::toEntity(&entity)))
        throw CommandError("'" + CommandTargets::pathOf(context, entity) + "' cannot be " +
                           (show ? "shown" : "hidden"));
}

void showOrHideAll(CommandContext& context, bool show) {
    context.args().expectEnd();
    CommandTargets::sketches(context).isVisible(show);
}

} // namespace

void SketchCommands::registerCommands(CommandMgr& commands) {
    commands.registerCommand(
        Command("sketch", "sketch [NAME] [origin X Y Z] [xaxis X Y Z] [zaxis X Y Z]",
                "a new 3D sketch, current from now on; prints its name", true, sketch)
            .details("Without NAME the sketch takes the next default name (Sketch1, Sketch2, ...;\n"
                     "numbers are never reused). A name another sketch has becomes unique.\n"
                     "The sketch lies in the plane through origin across zaxis (default: the\n"
                     "world XY plane); xaxis is squared up with zaxis."));
    commands.registerCommand(
        Command("use", "use PATH", "make the 3D or 2D sketch at PATH current", false, use));
    commands.registerCommand(
        Command("rename", "rename PATH NAME", "give the entity at PATH a new user name", true,
                rename)
            .details("Prints the name given, which differs from NAME when a sibling has it."));
    commands.registerCommand(Command("hide", "hide PATH", "hide the entity at PATH", true,
                                     [](CommandContext& context) { showOrHide(context, false); }));
    commands.registerCommand(
        Command("show", "show PATH", "show the entity at PATH", true, [](CommandContext& context) {
            showOrHide(context, true);
        }).details("A sketch of a hidden collection stays hidden until 'showall'."));
    commands.registerCommand(Command("showall", "showall", "show the component's 3D sketches", true,
                                     [](CommandContext& context) { showOrHideAll(context, true); })
                                 .details("Sketches hidden one by one stay hidden."));
    commands.registerCommand(
        Command("hideall", "hideall", "hide all of the component's 3D sketches", true,
                [](CommandContext& context) { showOrHideAll(context, false); }));
}

} // namespace Kv::Geometry
