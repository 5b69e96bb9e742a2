#include "Geometry/commands/EditCommands.h"

#include "Geometry/commands/CommandTargets.h"
#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/CurvatureHandle.h"
#include "Geometry/curves3d/Curve3D.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/curves3d/TangentHandle.h"
#include "Geometry/sketch2d/GeometryBase2D.h"
#include "Geometry/sketch2d/Sketch2D.h"
#include "Geometry/sketch3d/CoordinateSystem.h"
#include "Geometry/sketch3d/CurvatureUses.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/GeometryBase3D.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/sketch3d/Sketches.h"
#include "Geometry/sketch3d/TangentUses.h"
#include "Kv/Commands/ArgumentError.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandLine.h"
#include "Kv/Commands/CommandMgr.h"

#include <algorithm>
#include <cmath>
#include <ostream>
#include <vector>

namespace Kv::Geometry {
namespace {

// More spines than this would not be told apart on any screen.
constexpr long long kMostCombSpines = 10000;

std::string quoted(CommandContext& context, Entity& entity) {
    return "'" + CommandTargets::pathOf(context, entity) + "'";
}

void point(CommandContext& context) {
    CommandLine& args = context.args();
    const ZkGePoint3d position = args.point3("X Y Z");
    args.expectEnd();
    Sketch& sketch = CommandTargets::currentSketch(context);
    StrongRef<Point3D> made = Point3D::findOrMake(StrongRef<Entity>(&sketch), position);
    if (!made)
        throw CommandError("no point could be made in the current sketch");
    context.out() << CommandTargets::pathOf(context, *made) << '\n';
}

// Every curve that uses one of `points` follows them, each once.
void updateCurvesOf(const std::vector<PassiveRef<Point3D>>& points) {
    std::vector<Curve3D*> curves;
    for (const PassiveRef<Point3D>& point : points) {
        if (!point || !point->curveUses())
            continue;
        for (const PassiveRef<Curve3D>& curve : point->curveUses()->curves())
            if (curve && std::find(curves.begin(), curves.end(), curve.getTarget()) == curves.end())
                curves.push_back(curve.getTarget());
    }
    for (Curve3D* curve : curves)
        curve->updateCurve();
}

void addOnce(std::vector<PassiveRef<Point3D>>& points, const PassiveRef<Point3D>& point) {
    if (point && std::find(points.begin(), points.end(), point) == points.end())
        points.push_back(point);
}

// The tangent and curvature handles that splines keep at any of `points` as
// one of their fit points.
std::vector<Curve3D*> handlesAt(const std::vector<PassiveRef<Point3D>>& points) {
    std::vector<Curve3D*> handles;
    const auto add = [&](Curve3D* handle) {
        if (handle && std::find(handles.begin(), handles.end(), handle) == handles.end())
            handles.push_back(handle);
    };
    for (const PassiveRef<Point3D>& point : points) {
        if (!point->curveUses())
            continue;
        for (const PassiveRef<Curve3D>& curve : point->curveUses()->curves()) {
            auto* spline = ::Kv::queryInterface<Spline3D>(curve.getTarget());
            const int index =
                spline ? spline->fitPointIndex(StrongRef<Point3D>(point.getTarget())) : -1;
            if (index < 0)
                continue;
            if (spline->tangentUses() && spline->tangentUses()->contains(index))
                add(spline->tangentUses()->tangents().at(index).get());
            if (spline->curvatureUses() && spline->curvatureUses()->contains(index))
                add(spline->curvatureUses()->curvatures().at(index).get());
        }
    }
    return handles;
}

// Moving a point tells no curve: the curves that use it are brought up to
// date here, as every mover of points must. The handles at a moved fit point
// travel with it, so the spline keeps the tangent and curvature the user gave
// it there, drawn where the point now is.
void movePoints(std::vector<PassiveRef<Point3D>> points, const ZkGeVector3d& offset) {
    for (Curve3D* handle : handlesAt(points))
        for (const PassiveRef<Point3D>& point : handle->deleteNominees())
            addOnce(points, point);
    for (const PassiveRef<Point3D>& point : points)
        point->translate(offset);
    updateCurvesOf(points);
}

// A curve moves by its points, so the curves it shares them with follow as
// well.
void move(CommandContext& context) {
    Entity& entity = CommandTargets::entity(context, "PATH");
    const ZkGeVector3d offset = context.args().vector3("DX DY DZ");
    context.args().expectEnd();
    if (auto* sketch = ::Kv::queryInterface<Sketch>(&entity)) {
        if (!sketch->coordinateSystem())
            throw CommandError(quoted(context, entity) + " has no placement to move");
        const StrongRef<CoordinateSystem>& placement = sketch->coordinateSystem();
        placement->transform(ZkGeMatrix3d::translation(offset) * placement->transform());
        return;
    }
    if (auto* drawing = ::Kv::queryInterface<Sketch2D>(&entity)) {
        drawing->transform(ZkGeMatrix3d::translation(offset) * drawing->transform());
        return;
    }
    if (auto* item = ::Kv::queryInterface<GeometryBase2D>(&entity)) {
        if (offset.z != 0.0)
            throw ArgumentError("2D geometry moves in its sketch's plane: DZ must be 0");
        item->translate(ZkGeVector2d(offset.x, offset.y));
        return;
    }
    if (auto* curve = ::Kv::queryInterface<Curve3D>(&entity)) {
        // A point the curve holds twice (both ends of a closed curve) moves once.
        std::vector<PassiveRef<Point3D>> points;
        for (const PassiveRef<Point3D>& point : curve->deleteNominees())
            addOnce(points, point);
        movePoints(points, offset);
        curve->translate(offset);
        return;
    }
    if (auto* point = ::Kv::queryInterface<Point3D>(&entity)) {
        movePoints({PassiveRef<Point3D>(point)}, offset);
        return;
    }
    auto* geometry = ::Kv::queryInterface<GeometryBase3D>(&entity);
    if (!geometry)
        throw CommandError(quoted(context, entity) + " cannot be moved");
    geometry->translate(offset);
}

bool readBoolean(CommandLine& args) {
    return args.boolean("VALUE");
}

// Properties through the entity's own setters, so that each records its own
// change; `set` refuses what the entity does not have.
void set(CommandContext& context) {
    CommandLine& args = context.args();
    Entity& entity = CommandTargets::entity(context, "PATH");
    const std::string property = args.word("PROPERTY");
    auto* geometry = ::Kv::queryInterface<GeometryBase3D>(&entity);
    auto* sketch = ::Kv::queryInterface<Sketch>(&entity);
    auto* sketches = ::Kv::queryInterface<Sketches>(&entity);
    auto* geometry2D = ::Kv::queryInterface<GeometryBase2D>(&entity);
    auto lacks = [&]() -> CommandError {
        return CommandError(quoted(context, entity) + " has no property '" + property + "'");
    };
    // The drawing attributes that 3D and 2D geometry share.
    auto onGeometry = [&](auto apply) {
        if (geometry)
            apply(*geometry);
        else if (geometry2D)
            apply(*geometry2D);
        else
            throw lacks();
    };

    if (property == "lineColor" || property == "fillColor") {
        const double red = args.number("R"), green = args.number("G"), blue = args.number("B");
        const double alpha = args.atEnd() ? 1.0 : args.number("A");
        args.expectEnd();
        for (double component : {red, green, blue, alpha})
            if (!(component >= 0.0 && component <= 1.0))
                throw ArgumentError("colour components lie between 0 and 1");
        const Color color{float(red), float(green), float(blue), float(alpha)};
        if (property == "lineColor")
            onGeometry([&](auto& g) { g.lineColor(color); });
        else
            onGeometry([&](auto& g) { g.fillColor(color); });
    } else if (property == "lineThickness") {
        const double thickness = args.number("T");
        args.expectEnd();
        if (!(thickness > 0.0))
            throw ArgumentError("T must be greater than 0");
        onGeometry([&](auto& g) { g.lineThickness(float(thickness)); });
    } else if (property == "zOrder") {
        const long long order = args.integer("N", 0, 0xFFFFFFFFll);
        args.expectEnd();
        onGeometry([&](auto& g) { g.zOrder(static_cast<unsigned int>(order)); });
    } else if (property == "visible") {
        const bool visible = readBoolean(args);
        args.expectEnd();
        if (geometry || geometry2D)
            onGeometry([&](auto& g) { g.isVisible(visible); });
        else if (sketch)
            sketch->visible(visible);
        else if (sketches)
            sketches->isVisible(visible);
        else
            throw lacks();
    } else if (property == "comb" || property == "useEnvironmentColors") {
        const bool on = readBoolean(args);
        args.expectEnd();
        auto* curve = ::Kv::queryInterface<Curve3D>(&entity);
        if (!curve)
            throw lacks();
        if (property == "comb")
            curve->showCurvatureComb(on);
        else
            curve->useEnvironmentColors(on);
    } else if (property == "combDensity") {
        const long long density = args.integer("N", 1, kMostCombSpines);
        args.expectEnd();
        auto* curve = ::Kv::queryInterface<Curve3D>(&entity);
        if (!curve)
            throw lacks();
        curve->combDensity(static_cast<unsigned int>(density));
    } else if (property == "combScale") {
        const double scale = args.number("S");
        args.expectEnd();
        if (!(scale > 0.0) || !std::isfinite(scale))
            throw ArgumentError("S must be greater than 0");
        auto* curve = ::Kv::queryInterface<Curve3D>(&entity);
        if (!curve)
            throw lacks();
        curve->combScale(scale);
    } else if (property == "radius") {
        const double radius = args.number("R");
        args.expectEnd();
        if (!(radius > 0.0) || !std::isfinite(radius))
            throw ArgumentError("R must be greater than 0");
        auto* arc = ::Kv::queryInterface<CircArc3D>(&entity);
        if (!arc)
            throw lacks();
        arc->radius(radius);
    } else if (property == "fixed") {
        const bool fixed = readBoolean(args);
        args.expectEnd();
        if (auto* point = ::Kv::queryInterface<Point3D>(&entity))
            point->fixed(fixed);
        else if (auto* curve = ::Kv::queryInterface<Curve3D>(&entity))
            curve->fixed(fixed);
        else
            throw lacks();
    } else {
        throw ArgumentError("unknown property '" + property +
                            "' (lineColor, fillColor, lineThickness, zOrder, visible, fixed, "
                            "comb, combDensity, combScale, radius, useEnvironmentColors)");
    }
}

} // namespace

void EditCommands::registerCommands(CommandMgr& commands) {
    commands.registerCommand(
        Command("point", "point X Y Z", "a point of the current sketch; prints its path", true,
                point)
            .details("A point already at that position (within the kernel's tolerance) is\n"
                     "found rather than made; its path is printed all the same."));
    commands.registerCommand(
        Command("move", "move PATH DX DY DZ", "translate the entity at PATH", true, move)
            .details("Moving a point brings the curves that use it up to date. A curve moves\n"
                     "by its points, and the curves sharing them follow. The tangent and\n"
                     "curvature handles at a spline's fit point travel with it. Moving a\n"
                     "sketch moves its placement. 2D geometry moves in its sketch's plane\n"
                     "(DZ 0): a 2D line is drawn again between the points at its new ends."));
    commands.registerCommand(
        Command("set", "set PATH PROPERTY VALUE...", "set a property of the entity at PATH", true,
                set)
            .details("Properties: lineColor R G B [A], fillColor R G B [A], lineThickness T,\n"
                     "zOrder N (3D and 2D geometry; a 2D group passes them to its members),\n"
                     "visible true|false (geometry, sketches, the collection),\n"
                     "fixed true|false (points and curves), comb true|false, combDensity N\n"
                     "(spines, 1 to 10000), combScale S, useEnvironmentColors true|false\n"
                     "(curves), radius R (circles and circular arcs; the points stay)."));
}

} // namespace Kv::Geometry
