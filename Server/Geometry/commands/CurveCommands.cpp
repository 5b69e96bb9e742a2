#include "Geometry/commands/CurveCommands.h"

#include "Geometry/commands/CommandTargets.h"
#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/EllipticArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Kv/Commands/ArgumentError.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandLine.h"
#include "Kv/Commands/CommandMgr.h"
#include "Kv/CommonData/ManagedGroupEntity.h"
#include "Kv/DataModel/IDeletable.h"
#include "Kv/DataModel/ObjectPath.h"
#include "Kv/DataModel/Request.h"
#include "Kv/DataModel/Status.h"
#include "ZkGeContext.h"

#include <cmath>
#include <memory>
#include <optional>
#include <ostream>

namespace Kv::Geometry {
namespace {

std::string quoted(CommandContext& context, Entity& entity) {
    return "'" + CommandTargets::pathOf(context, entity) + "'";
}

StrongRef<Entity> currentSketch(CommandContext& context) {
    return StrongRef<Entity>(&CommandTargets::currentSketch(context));
}

// The plane normal of arcs and circles: `normal N` or the sketch's z axis.
ZkGeVector3d normalArgument(CommandLine& args) {
    const ZkGeVector3d normal = args.optionalVector3("normal").value_or(ZkGeVector3d::kZAxis);
    if (normal.isZeroLength())
        throw ArgumentError("the normal must not be the zero vector");
    return normal.normal();
}

void differ(const ZkGePoint3d& a, const ZkGePoint3d& b, const std::string& message) {
    if (a.isEqualTo(b))
        throw ArgumentError(message);
}

void printPath(CommandContext& context, Entity* made, const std::string& what) {
    if (!made)
        throw CommandError("no " + what + " could be made in the current sketch");
    context.out() << CommandTargets::pathOf(context, *made) << '\n';
}

void line(CommandContext& context) {
    CommandLine& args = context.args();
    const ZkGePoint3d start = args.point3("X1 Y1 Z1");
    const ZkGePoint3d end = args.point3("X2 Y2 Z2");
    args.expectEnd();
    differ(start, end, "the line's ends must not coincide");
    printPath(context, Line3D::make(currentSketch(context), start, end).getTarget(), "line");
}

void circle(CommandContext& context) {
    CommandLine& args = context.args();
    const ZkGePoint3d center = args.point3("CENTER");
    const double radius = args.number("R");
    const ZkGeVector3d normal = normalArgument(args);
    args.expectEnd();
    if (!(radius > ZkGeContext::gTol.equalPoint()) || !std::isfinite(radius))
        throw ArgumentError("R must be greater than 0");
    printPath(context, CircArc3D::make(currentSketch(context), center, normal, radius).getTarget(),
              "circle");
}

void arc(CommandContext& context) {
    CommandLine& args = context.args();
    const ZkGePoint3d center = args.point3("CENTER");
    const ZkGePoint3d start = args.point3("START");
    const ZkGePoint3d end = args.point3("END");
    const ZkGeVector3d normal = normalArgument(args);
    args.expectEnd();
    differ(center, start, "START must not be the centre");
    differ(center, end, "END must not be the centre");
    differ(start, end, "START and END must differ (a full turn is a circle)");
    printPath(context,
              CircArc3D::make(currentSketch(context), center, start, end, normal).getTarget(),
              "arc");
}

void arc3(CommandContext& context) {
    CommandLine& args = context.args();
    const ZkGePoint3d start = args.point3("START");
    const ZkGePoint3d middle = args.point3("MID");
    const ZkGePoint3d end = args.point3("END");
    const ZkGeVector3d normal = normalArgument(args);
    args.expectEnd();
    const StrongRef<Entity> sketch = currentSketch(context);
    // A refusal throws, and the command's transaction takes back the end
    // points found or made here.
    StrongRef<CircArc3D> made = CircArc3D::make(sketch, Point3D::findOrMake(sketch, start), middle,
                                                Point3D::findOrMake(sketch, end), normal);
    if (!made)
        throw CommandError("no arc passes through three points on one line");
    printPath(context, made.get(), "arc");
}

void ellipse(CommandContext& context) {
    CommandLine& args = context.args();
    const ZkGePoint3d center = args.point3("CENTER");
    const ZkGeVector3d major = args.vector3("U");
    const ZkGeVector3d minor = args.vector3("V");
    std::optional<ZkGePoint3d> start, end;
    if (args.keyword("from")) {
        start = args.point3("START");
        if (!args.keyword("to"))
            throw ArgumentError("'from START' is followed by 'to END'");
        end = args.point3("END");
    }
    args.expectEnd();
    if (major.isZeroLength() || minor.isZeroLength())
        throw ArgumentError("U and V must not be the zero vector");
    if (major.isParallelTo(minor))
        throw ArgumentError("U and V must not be parallel");
    const StrongRef<Entity> sketch = currentSketch(context);
    if (!start) {
        printPath(context, EllipticArc3D::make(sketch, center, major, minor).getTarget(),
                  "ellipse");
        return;
    }
    differ(center, *start, "START must not be the centre");
    differ(center, *end, "END must not be the centre");
    differ(*start, *end, "START and END must differ (a full turn is an ellipse)");
    printPath(context, EllipticArc3D::make(sketch, center, *start, *end, major, minor).getTarget(),
              "elliptic arc");
}

// Through the entity's own deletion request, inside the command's
// transaction, so that one undo brings everything back.
void remove(CommandContext& context) {
    Entity& entity = CommandTargets::entity(context, "PATH");
    context.args().expectEnd();
    const ObjectPath path = ObjectPath::toEntity(&entity);
    if (auto* deletable = ::Kv::queryInterface<DataModel::IDeletable>(&entity)) {
        if (!deletable->onCanDelete(path))
            throw CommandError(quoted(context, entity) +
                               " cannot be deleted (something still depends on it)");
        std::unique_ptr<Request, void (*)(Request*)> request(
            deletable->onProvideDeleteRequest(path), [](Request* r) {
                if (r)
                    r->destroy();
            });
        if (!request)
            throw CommandError(quoted(context, entity) + " offers no way to delete it");
        Status status;
        if (!request->execute(status))
            throw CommandError("deleting " + quoted(context, entity) +
                               " failed: " + status.message());
        return;
    }
    auto* parent = ::Kv::queryInterface<Managed::ManagedGroupEntity>(entity.parentEntity());
    if (!parent || !parent->removeChild(StrongRef<Entity>(&entity)))
        throw CommandError(quoted(context, entity) + " cannot be deleted");
}

} // namespace

void CurveCommands::registerCommands(CommandMgr& commands) {
    commands.registerCommand(
        Command("line", "line X1 Y1 Z1 X2 Y2 Z2", "a line of the current sketch; prints its path",
                true, line)
            .details("Each end is a sketch point found at the position or made there, so\n"
                     "lines drawn end to end share their points."));
    commands.registerCommand(
        Command("circle", "circle CENTER R [normal N]",
                "a circle of the current sketch; prints its path", true, circle)
            .details("The circle lies across N (default: the sketch's z axis); its centre is a\n"
                     "sketch point found or made at CENTER."));
    commands.registerCommand(
        Command("arc", "arc CENTER START END [normal N]",
                "a circular arc of the current sketch; prints its path", true, arc)
            .details("The arc runs counter-clockwise about N (default: the sketch's z axis)\n"
                     "from START to the direction of END, with the radius of START."));
    commands.registerCommand(
        Command("arc3", "arc3 START MID END [normal N]",
                "the arc through three points; prints its path", true, arc3)
            .details("The arc gets a centre point of its own and runs counter-clockwise\n"
                     "about N: given clockwise, it starts at END. Three points on one line\n"
                     "are refused."));
    commands.registerCommand(
        Command("ellipse", "ellipse CENTER U V [from START to END]",
                "an ellipse or elliptic arc of the current sketch; prints its path", true, ellipse)
            .details("U and V are the major and minor axes, each as long as its radius. With\n"
                     "'from START to END' an arc runs between the parametric angles of the\n"
                     "two positions."));
    commands.registerCommand(
        Command("delete", "delete PATH", "delete the entity at PATH", true, remove)
            .details("Geometry is deleted through its own deletion request: a curve takes the\n"
                     "points nothing else uses with it. Other entities, such as a sketch, are\n"
                     "removed from their parent. 'undo' brings everything back."));
}

} // namespace Kv::Geometry
