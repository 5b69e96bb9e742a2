#include "Geometry/commands/WorkGeometryCommands.h"

#include "Geometry/commands/CommandTargets.h"
#include "Geometry/workgeometry/OriginWorkGeometry.h"
#include "Geometry/workgeometry/WorkAxis.h"
#include "Geometry/workgeometry/WorkGeometries.h"
#include "Geometry/workgeometry/WorkPlane.h"
#include "Geometry/workgeometry/WorkPoint.h"
#include "Kv/Commands/ArgumentError.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandLine.h"
#include "Kv/Commands/CommandMgr.h"
#include "Kv/Commands/Session.h"
#include "Kv/CommonData/Component.h"

#include <optional>
#include <ostream>
#include <utility>

namespace Kv::Geometry {
namespace {

// The component's collection of class T, named `what` in the error when the
// component has none.
template <class T> T& componentCollection(CommandContext& context, const std::string& what) {
    Component& component = context.session().component();
    for (const StrongRef<Entity>& child : component.children())
        if (auto* collection = ::Kv::queryInterface<T>(child.get()))
            return *collection;
    throw CommandError("the document's component has no " + what);
}

StrongRef<Entity> workGeometries(CommandContext& context) {
    return StrongRef<Entity>(
        &componentCollection<WorkGeometries>(context, "work geometry collection"));
}

ZkGeVector3d nonZero(const ZkGeVector3d& vector, const std::string& what) {
    if (vector.isZeroLength())
        throw ArgumentError(what + " must not be the zero vector");
    return vector;
}

void printPath(CommandContext& context, Entity* made, const std::string& what) {
    if (!made)
        throw CommandError("no " + what + " could be made in the work geometry");
    context.out() << CommandTargets::pathOf(context, *made) << '\n';
}

void workplane(CommandContext& context) {
    CommandLine& args = context.args();
    const ZkGePoint3d origin = args.point3("ORIGIN");
    const ZkGeVector3d normal = nonZero(args.vector3("NORMAL"), "NORMAL");
    args.expectEnd();
    printPath(context,
              WorkPlane::make(workGeometries(context), ZkGePlane(origin, normal)).getTarget(),
              "work plane");
}

void workaxis(CommandContext& context) {
    CommandLine& args = context.args();
    const ZkGePoint3d point = args.point3("POINT");
    const ZkGeVector3d direction = nonZero(args.vector3("DIRECTION"), "DIRECTION");
    args.expectEnd();
    printPath(context, WorkAxis::make(workGeometries(context), point, direction).getTarget(),
              "work axis");
}

void workpoint(CommandContext& context) {
    CommandLine& args = context.args();
    const ZkGePoint3d position = args.point3("X Y Z");
    args.expectEnd();
    printPath(context, WorkPoint::make(workGeometries(context), position).getTarget(),
              "work point");
}

// The handle names of `extent`, with the handle types they stand for.
const std::pair<const char*, int> kPlaneHandles[] = {
    {"lower-left", kLowerLeftCorner},
    {"lower-right", kLowerRightCorner},
    {"upper-left", kUpperLeftCorner},
    {"upper-right", kUpperRightCorner},
    {"left", kLeftEdge},
    {"right", kRightEdge},
    {"bottom", kBottomEdge},
    {"top", kTopEdge},
};
const std::pair<const char*, int> kAxisHandles[] = {{"lower", kLowerEnd}, {"upper", kUpperEnd}};

template <size_t N>
int handleNamed(const std::string& name, const std::pair<const char*, int> (&handles)[N],
                const std::string& kind) {
    std::string known;
    for (const auto& [handleName, type] : handles) {
        if (name == handleName)
            return type;
        known += (known.empty() ? "" : ", ") + std::string(handleName);
    }
    throw ArgumentError("a " + kind + " has no handle '" + name + "' (it has " + known + ")");
}

// Dragging one handle, as each kind numbers its handles.
void drag(WorkPlane& plane, int handle, const ZkGePoint3d& point) {
    if (handle <= kUpperRightCorner)
        plane.setOnePointExtent(point, static_cast<WorkPlaneExtentPointType>(handle));
    else
        plane.setOneLineExtent(point, static_cast<WorkPlaneExtentLineType>(handle));
}

void drag(WorkAxis& axis, int handle, const ZkGePoint3d& point) {
    axis.setOneExtent(point, handle == kLowerEnd);
}

// The three forms of `extent` after the path: two points, `scale F`, or a
// handle of `handles` and a point.
template <class T, size_t N>
void resize(CommandLine& args, T& entity, const std::pair<const char*, int> (&handles)[N],
            const std::string& kind) {
    if (args.keyword("scale")) {
        const double factor = args.number("F");
        args.expectEnd();
        entity.scaleExtents(factor);
        return;
    }
    if (args.nextIsNumber()) {
        const ZkGePoint3d a = args.point3("X1 Y1 Z1");
        const ZkGePoint3d b = args.point3("X2 Y2 Z2");
        args.expectEnd();
        entity.setExtents(a, b);
        return;
    }
    const int handle = handleNamed(args.word("HANDLE"), handles, kind);
    const ZkGePoint3d point = args.point3("X Y Z");
    args.expectEnd();
    drag(entity, handle, point);
}

void extent(CommandContext& context) {
    Entity& entity = CommandTargets::entity(context, "PATH");
    const std::string quoted = "'" + CommandTargets::pathOf(context, entity) + "'";
    auto* geometry = ::Kv::queryInterface<WorkGeometry>(&entity);
    auto* plane = ::Kv::queryInterface<WorkPlane>(&entity);
    auto* axis = ::Kv::queryInterface<WorkAxis>(&entity);
    if (!plane && !axis)
        throw CommandError(quoted + " is neither a work plane nor a work axis");
    if (geometry->isOrigin())
        throw CommandError(quoted + " belongs to the origin set, whose size is fixed");
    if (plane)
        resize(context.args(), *plane, kPlaneHandles, "work plane");
    else
        resize(context.args(), *axis, kAxisHandles, "work axis");
}

void origin(CommandContext& context) {
    CommandLine& args = context.args();
    const std::optional<std::string> action = args.keyword({"show", "hide"});
    if (!action)
        throw ArgumentError("expected 'show' or 'hide'");
    args.expectEnd();
    componentCollection<OriginWorkGeometry>(context, "origin set").isVisible(*action == "show");
}

} // namespace

void WorkGeometryCommands::registerCommands(CommandMgr& commands) {
    commands.registerCommand(
        Command("workplane", "workplane ORIGIN NORMAL",
                "a work plane through ORIGIN across NORMAL; prints its path", true, workplane)
            .details("The plane is named Plane<n> after the component's plane counter, which\n"
                     "never gives a number twice. It is drawn over -5..5 in both of its own\n"
                     "parameters about ORIGIN; 'extent' resizes it."));
    commands.registerCommand(
        Command("workaxis", "workaxis POINT DIRECTION",
                "a work axis through POINT along DIRECTION; prints its path", true, workaxis)
            .details("The axis is named Axis<n> and drawn 10 units either side of POINT;\n"
                     "'extent' resizes it."));
    commands.registerCommand(Command("workpoint", "workpoint X Y Z",
                                     "a work point named Point<n>; prints its path", true,
                                     workpoint));
    commands.registerCommand(
        Command("extent", "extent PATH (X1 Y1 Z1 X2 Y2 Z2 | scale F | HANDLE X Y Z)",
                "resize the drawn extent of a work plane or work axis", true, extent)
            .details("With two points a plane spans the projection of the box they span, an axis\n"
                     "runs between the line points nearest them (in that order). 'scale F' moves\n"
                     "every side or end out by F times the width or length (negative F shrinks).\n"
                     "HANDLE drags one handle to the point: a plane's lower-left, lower-right,\n"
                     "upper-left, upper-right corner or left, right, bottom, top edge; an axis's\n"
                     "lower or upper end. The origin set keeps its size."));
    commands.registerCommand(Command("origin", "origin show|hide",
                                     "show or hide the component's origin planes, axes and point",
                                     true, origin));
}

} // namespace Kv::Geometry
