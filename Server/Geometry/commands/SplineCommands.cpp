#include "Geometry/commands/SplineCommands.h"

#include "Geometry/commands/CommandTargets.h"
#include "Geometry/curves3d/CurvatureHandle.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/curves3d/TangentHandle.h"
#include "Geometry/sketch3d/CurvatureUses.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/sketch3d/TangentUses.h"
#include "Kv/Commands/ArgumentError.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandLine.h"
#include "Kv/Commands/CommandMgr.h"

#include <ostream>
#include <string>

namespace Kv::Geometry {
namespace {

std::string quoted(CommandContext& context, Entity& entity) {
    return "'" + CommandTargets::pathOf(context, entity) + "'";
}

void printPath(CommandContext& context, Entity* made, const std::string& what) {
    if (!made)
        throw CommandError("no " + what + " could be made");
    context.out() << CommandTargets::pathOf(context, *made) << '\n';
}

// The spline named by the next argument.
Spline3D& splineArgument(CommandContext& context) {
    Entity& entity = CommandTargets::entity(context, "SPLINE");
    auto* spline = ::Kv::queryInterface<Spline3D>(&entity);
    if (!spline)
        throw CommandError(quoted(context, entity) + " is not a spline");
    return *spline;
}

// A fit point index of `spline`, read as the next argument.
int fitIndexArgument(CommandContext& context, Spline3D& spline) {
    const long long last = spline.fitPoints() - 1;
    if (last < 0)
        throw CommandError(quoted(context, spline) + " has no fit points");
    return static_cast<int>(context.args().integer("INDEX", 0, last));
}

StrongRef<Entity> ownerOf(Spline3D& spline) {
    return StrongRef<Entity>(spline.parentEntity());
}

void spline(CommandContext& context) {
    CommandLine& args = context.args();
    const bool closed = args.keyword("closed");
    ZkArray<ZkGePoint3d> positions;
    while (!args.atEnd())
        positions.append(args.point3("P" + std::to_string(positions.length() + 1)));
    for (int i = 1; i < positions.length(); ++i)
        if (positions[i].isEqualTo(positions[i - 1]))
            throw ArgumentError("P" + std::to_string(i + 1) + " repeats the point before it");
    // A closed spline's list ends with its start again, written or not.
    if (closed && positions.length() > 1 && !positions.last().isEqualTo(positions.first()))
        positions.append(positions.first());
    if (positions.length() < (closed ? 4 : 2))
        throw ArgumentError(closed ? "a closed spline needs three different points"
                                   : "a spline needs two points");
    Sketch& sketch = CommandTargets::currentSketch(context);
    StrongRef<Spline3D> made = Spline3D::make(StrongRef<Entity>(&sketch), positions, closed);
    if (made)
        made->updateCurve();
    printPath(context, made.get(), "spline");
}

void tangent(CommandContext& context) {
    Spline3D& spline = splineArgument(context);
    const int index = fitIndexArgument(context, spline);
    const ZkGeVector3d vector = context.args().vector3("VX VY VZ");
    context.args().expectEnd();
    if (vector.isZeroLength())
        throw ArgumentError("the tangent must not be the zero vector");
    // A new handle at a fit point takes the place of the one there.
    if (spline.hasTangent(index))
        spline.removeTangent(spline.tangentUses()->tangents().at(index));
    StrongRef<TangentHandle> handle =
        TangentHandle::make(ownerOf(spline), spline.fitPoint(index)->point(), vector);
    spline.addTangentUse(index, handle);
    spline.updateCurve();
    printPath(context, handle.get(), "tangent handle");
}

void curvature(CommandContext& context) {
    Spline3D& spline = splineArgument(context);
    const int index = fitIndexArgument(context, spline);
    const ZkGeVector3d vector = context.args().vector3("KX KY KZ");
    context.args().expectEnd();
    if (vector.isZeroLength())
        throw ArgumentError("the curvature must not be the zero vector");
    if (spline.hasCurvature(index))
        spline.removeCurvature(spline.curvatureUses()->curvatures().at(index));
    StrongRef<CurvatureHandle> handle = CurvatureHandle::make(
        ownerOf(spline),
        CurvatureHandle::arcFromCurvature(vector, spline.fitPoint(index)->point()));
    spline.addCurvatureUse(index, handle);
    spline.updateCurve();
    printPath(context, handle.get(), "curvature handle");
}

void insert(CommandContext& context) {
    Spline3D& spline = splineArgument(context);
    // Between the start and the end of an open spline; on a closed one also
    // after the last point, before the start comes round again.
    const long long last = spline.fitPoints() - (spline.isClosed() ? 0 : 1);
    if (last < 1)
        throw CommandError(quoted(context, spline) + " has no place for a point");
    const int index = static_cast<int>(context.args().integer("INDEX", 1, last));
    const ZkGePoint3d position = context.args().point3("X Y Z");
    context.args().expectEnd();
    StrongRef<Point3D> point = Point3D::make(ownerOf(spline), position);
    spline.insertPointUse(index - 1, point);
    spline.updateCurve();
    printPath(context, point.get(), "point");
}

void append(CommandContext& context) {
    Spline3D& spline = splineArgument(context);
    const ZkGePoint3d position = context.args().point3("X Y Z");
    context.args().expectEnd();
    StrongRef<Point3D> point = Point3D::make(ownerOf(spline), position);
    spline.addPointUse(point);
    spline.updateCurve();
    printPath(context, point.get(), "point");
}

void close(CommandContext& context) {
    Spline3D& spline = splineArgument(context);
    context.args().expectEnd();
    if (spline.isClosed())
        throw CommandError(quoted(context, spline) + " is closed already");
    // Ends on one spot are one point of the loop.
    const bool endsMeet = spline.start().isEqualTo(spline.end());
    if (spline.fitPoints() < (endsMeet ? 4 : 3))
        throw CommandError(quoted(context, spline) + " has too few fit points to close");
    spline.makeClosed(true);
}

void open(CommandContext& context) {
    Spline3D& spline = splineArgument(context);
    context.args().expectEnd();
    if (!spline.isClosed())
        throw CommandError(quoted(context, spline) + " is open already");
    spline.makeClosed(false);
}

} // namespace

void SplineCommands::registerCommands(CommandMgr& commands) {
    commands.registerCommand(
        Command("spline", "spline [closed] P1 P2 ...",
                "a fit-point spline of the current sketch; prints its path", true, spline)
            .details("The spline passes through the points in order. Its ends are sketch\n"
                     "points found or made at P1 and the last point; every point between\n"
                     "gets a point of its own. With 'closed' the spline runs back to P1\n"
                     "(repeating P1 at the end is allowed) and needs three different points."));
    commands.registerCommand(
        Command("tangent", "tangent SPLINE INDEX VX VY VZ",
                "a tangent handle at a fit point of SPLINE; prints its path", true, tangent)
            .details("Fit points count from 0 at the start. The spline's derivative there\n"
                     "becomes V in direction and length (length 1 is about unit speed along\n"
                     "the curve). A handle already at INDEX is replaced."));
    commands.registerCommand(
        Command("curvature", "curvature SPLINE INDEX KX KY KZ",
                "a curvature handle at a fit point of SPLINE; prints its path", true, curvature)
            .details("The spline's curvature vector there becomes K (pointing to the centre\n"
                     "of curvature, of length 1/radius); only the part of K across the\n"
                     "tangent can be met. Radii are shown up to 1000, so |K| below 0.001\n"
                     "counts as 0.001. A handle already at INDEX is replaced."));
    commands.registerCommand(
        Command("insert", "insert SPLINE INDEX X Y Z",
                "a new fit point of SPLINE at INDEX; prints its path", true, insert)
            .details("The point becomes fit point INDEX: between the start (0) and the end\n"
                     "of an open spline; on a closed one INDEX may also be the fit point\n"
                     "count, after the last point. Handles from INDEX on move up with their\n"
                     "points."));
    commands.registerCommand(
        Command("append", "append SPLINE X Y Z",
                "a new fit point of SPLINE after its last interior one; prints its path", true,
                append)
            .details("On an open spline the point comes just before the end point; on a\n"
                     "closed one, last before the loop returns to the start."));
    commands.registerCommand(
        Command("close", "close SPLINE", "close SPLINE back to its start point", true, close)
            .details("An end on the start point's spot merges with it."));
    commands.registerCommand(Command("open-spline", "open-spline SPLINE",
                                     "open a closed SPLINE: its last point becomes its end", true,
                                     open));
}

} // namespace Kv::Geometry
