#include "Geometry/commands/Sketch2DCommands.h"

#include "Geometry/commands/CommandTargets.h"
#include "Geometry/sketch2d/Arc2D.h"
#include "Geometry/sketch2d/EllipticArc2D.h"
#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Sketch2D.h"
#include "Geometry/sketch2d/Sketch2Ds.h"
#include "Geometry/sketch2d/Sketch2DsRoot.h"
#include "Geometry/sketch2d/Spline2D.h"
#include "Kv/Base/Utf8.h"
#include "Kv/Commands/ArgumentError.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandLine.h"
#include "Kv/Commands/CommandMgr.h"
#include "Kv/Commands/Session.h"
#include "Kv/CommonData/Component.h"
#include "ZkGeContext.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <ostream>
#include <vector>

namespace Kv::Geometry {
namespace {

std::string quoted(CommandContext& context, Entity& entity) {
    return "'" + CommandTargets::pathOf(context, entity) + "'";
}

Sketch2Ds& sketch2Ds(CommandContext& context) {
    Component& component = context.session().component();
    for (const StrongRef<Entity>& child : component.children())
        if (auto* sketches = ::Kv::queryInterface<Sketch2Ds>(child.get()))
            return *sketches;
    throw CommandError("the document's component has no 2D sketch collection");
}

// Whether the sketch is in the document: in its collection, or listed by
// its segment's root when it has none. Undo can take it out while the
// session still names it.
bool isInDocument(Sketch2D& sketch) {
    if (StrongRef<Sketch2Ds> owner = sketch.parentSketch2Ds())
        return owner->indexOf(&sketch) != Managed::ManagedGroupEntity::npos;
    StrongRef<Sketch2DsRoot> root = sketch.sketch2DsRoot();
    if (!root)
        return false;
    for (unsigned int i = 0; i < root->sketch2Ds(); ++i)
        if (root->sketch2D(i).get() == &sketch)
            return true;
    return false;
}

Sketch2D& currentSketch2D(CommandContext& context) {
    Session& session = context.session();
    session.document();
    StrongRef<Entity> current = session.currentPath();
    if (!current)
        throw CommandError(
            "there is no current 2D sketch ('sketch2d' makes one, 'use PATH' picks one)");
    auto* sketch = ::Kv::queryInterface<Sketch2D>(current.get());
    if (!sketch)
        throw CommandError("the current sketch '" + session.pathOf(current.get()) +
                           "' is not a 2D sketch");
    if (!isInDocument(*sketch))
        throw CommandError(
            "the current 2D sketch is no longer in the document ('use PATH' picks another)");
    return *sketch;
}

StrongRef<Entity> drawing(CommandContext& context) {
    return StrongRef<Entity>(&currentSketch2D(context));
}

void differ(const ZkGePoint2d& a, const ZkGePoint2d& b, const std::string& message) {
    if (a.isEqualTo(b))
        throw ArgumentError(message);
}

double positive(double value, const std::string& message) {
    if (!(value > ZkGeContext::gTol.equalPoint()) || !std::isfinite(value))
        throw ArgumentError(message);
    return value;
}

void printPath(CommandContext& context, Entity* made, const std::string& what) {
    if (!made)
        throw CommandError("no " + what + " could be made in the current 2D sketch");
    context.out() << CommandTargets::pathOf(context, *made) << '\n';
}

void sketch2d(CommandContext& context) {
    CommandLine& args = context.args();
    const std::wstring name = args.atEnd() ? std::wstring() : Utf8::toWide(args.word("NAME"));
    args.expectEnd();
    StrongRef<Sketch2D> made =
        Sketch2D::make(PassiveRef<Sketch2Ds>(&sketch2Ds(context)), name, ZkGeMatrix3d::kIdentity);
    context.session().setCurrentPath(StrongRef<Entity>(made));
    printPath(context, made.get(), "2D sketch");
}

// A point at a position that has one already is that point: curves drawn
// there later share it either way.
void point2d(CommandContext& context) {
    CommandLine& args = context.args();
    const ZkGePoint2d position = args.point2("X Y");
    args.expectEnd();
    Sketch2D& sketch = currentSketch2D(context);
    if (PassiveRef<Point2D> found = sketch.queryPoint2D(position)) {
        printPath(context, found.getTarget(), "point");
        return;
    }
    printPath(context, Point2D::make(StrongRef<Entity>(&sketch), position, false).getTarget(),
              "point");
}

void line2d(CommandContext& context) {
    CommandLine& args = context.args();
    const ZkGePoint2d start = args.point2("X1 Y1");
    const ZkGePoint2d end = args.point2("X2 Y2");
    args.expectEnd();
    differ(start, end, "the line's ends must not coincide");
    printPath(context, Line2D::make(drawing(context), start, end).getTarget(), "line");
}

void circle2d(CommandContext& context) {
    CommandLine& args = context.args();
    const ZkGePoint2d center = args.point2("CENTER");
    const double radius = positive(args.number("R"), "R must be greater than 0");
    args.expectEnd();
    printPath(context, Arc2D::make(drawing(context), center, radius).getTarget(), "circle");
}

void arc2d(CommandContext& context) {
    CommandLine& args = context.args();
    const ZkGePoint2d center = args.point2("CENTER");
    const ZkGePoint2d start = args.point2("START");
    const ZkGePoint2d end = args.point2("END");
    args.expectEnd();
    differ(center, start, "START must not be the centre");
    differ(center, end, "END must not be the centre");
    differ(start, end, "START and END must differ (a full turn is a circle)");
    printPath(context, Arc2D::make(drawing(context), center, start, end).getTarget(), "arc");
}

void ellipse2d(CommandContext& context) {
    CommandLine& args = context.args();
    const ZkGePoint2d center = args.point2("CENTER");
    const ZkGePoint2d majorEnd = args.point2("MAJOR");
    const double minor = positive(args.number("MINOR"), "MINOR must be greater than 0");
    std::optional<ZkGePoint2d> start, end;
    if (args.keyword("from")) {
        start = args.point2("START");
        if (!args.keyword("to"))
            throw ArgumentError("'from START' is followed by 'to END'");
        end = args.point2("END");
    }
    args.expectEnd();
    const ZkGeVector2d major = majorEnd.asVector();
    const double majorRadius = positive(major.length(), "MAJOR must not be the zero vector");
    if (minor > majorRadius)
        throw ArgumentError("MINOR must not exceed the length of MAJOR");
    const ZkGeVector2d direction = major / majorRadius;
    if (!start) {
        printPath(context,
                  EllipticArc2D::make(drawing(context), center, direction, majorRadius, minor)
                      .getTarget(),
                  "ellipse");
        return;
    }
    differ(center, *start, "START must not be the centre");
    differ(center, *end, "END must not be the centre");
    differ(*start, *end, "START and END must differ (a full turn is an ellipse)");
    printPath(
        context,
        EllipticArc2D::make(drawing(context), center, direction, majorRadius, minor, *start, *end)
            .getTarget(),
        "elliptic arc");
}

void spline2d(CommandContext& context) {
    CommandLine& args = context.args();
    ZkArray<ZkGePoint2d> fitPoints;
    unsigned int limit = 0;
    while (!args.atEnd()) {
        if (args.keyword("limit")) {
            limit = static_cast<unsigned int>(args.integer("N", 0, 0xFFFFFFFFll));
            args.expectEnd();
            break;
        }
        fitPoints.append(args.point2("P" + std::to_string(fitPoints.length() + 1)));
    }
    if (fitPoints.length() < 2)
        throw ArgumentError("a spline needs at least two fit points");
    for (int i = 1; i < fitPoints.length(); ++i)
        differ(fitPoints[i - 1], fitPoints[i], "consecutive fit points must differ");
    StrongRef<Spline2D> made = Spline2D::make(drawing(context), fitPoints);
    if (made && limit != 0)
        made->setFitPointLimit(limit);
    printPath(context, made.get(), "spline");
}

void append2d(CommandContext& context) {
    Entity& entity = CommandTargets::entity(context, "SPLINE");
    auto* spline = ::Kv::queryInterface<Spline2D>(&entity);
    if (!spline)
        throw CommandError(quoted(context, entity) + " is not a 2D spline");
    CommandLine& args = context.args();
    const ZkGePoint2d point = args.point2("X Y");
    args.expectEnd();
    differ(spline->fitPoint(spline->fitPoints() - 1), point,
           "the new fit point must differ from the last one");
    spline->addFitPoint(point);
    context.out() << spline->fitPoints() << " fit points\n";
}

void copyAttributes(const GeometryBase2D& from, GeometryBase2D& to) {
    to.lineThickness(from.lineThickness());
    to.lineColor(from.lineColor());
    to.fillColor(from.fillColor());
    to.isVisible(from.isVisible());
    to.zOrder(from.zOrder());
}

// `item` made again under `parent`, with its geometry and drawing attributes;
// its points are found or made among the new parent's.
void remake(const StrongRef<Entity>& parent, GeometryBase2D& item) {
    if (auto* group = ::Kv::queryInterface<GeometryGroup2D>(&item)) {
        StrongRef<GeometryGroup2D> made = GeometryGroup2D::make(parent);
        // Set before the members exist, so that each keeps its own.
        copyAttributes(item, *made);
        // Explicit points first, so that the curves remade after them share
        // them; implicit ones come again with the curves that use them.
        for (bool points : {true, false})
            for (unsigned int i = 0; i < group->geometryBase2Ds(); ++i) {
                StrongRef<GeometryBase2D> member = group->geometryBase2D(i);
                auto* point = ::Kv::queryInterface<Point2D>(member.get());
                if (member && (point != nullptr) == points &&
                    !(point && point->wasImplicitlyCreated()))
                    remake(StrongRef<Entity>(made), *member);
            }
        return;
    }
    StrongRef<GeometryBase2D> made;
    if (auto* point = ::Kv::queryInterface<Point2D>(&item)) {
        made = Point2D::make(parent, point->point(), point->wasImplicitlyCreated());
    } else if (auto* line = ::Kv::queryInterface<Line2D>(&item)) {
        made = Line2D::make(parent, line->start(), line->end());
    } else if (auto* arc = ::Kv::queryInterface<Arc2D>(&item)) {
        const ZkGePoint2d center = arc->centerPoint()->point();
        if (arc->startPoint() && arc->endPoint())
            made =
                Arc2D::make(parent, center, arc->startPoint()->point(), arc->endPoint()->point());
        else
            made = Arc2D::make(parent, center, arc->radius());
    } else if (auto* ellipse = ::Kv::queryInterface<EllipticArc2D>(&item)) {
        StrongRef<EllipticArc2D> copy =
            EllipticArc2D::make(parent, ellipse->center(), ellipse->majorAxisDirn(),
                                ellipse->majorRadius(), ellipse->minorRadius());
        // The exact curve, angles included: end points follow it.
        copy->arcCurve(ellipse->arcCurve());
        made = copy;
    } else if (auto* spline = ::Kv::queryInterface<Spline2D>(&item)) {
        ZkArray<ZkGePoint2d> fitPoints;
        spline->getFitPoints(fitPoints);
        StrongRef<Spline2D> copy = Spline2D::make(parent, fitPoints);
        // The exact curve, end tangents and tolerance included.
        copy->splineCurve(spline->splineCurve());
        copy->setFitPointLimit(spline->fitPointsLimit());
        made = copy;
    }
    if (!made)
        throw CommandError("this kind of 2D geometry cannot be grouped");
    copyAttributes(item, *made);
}

// Whether `ancestor` is `entity` or holds it, directly or through groups.
bool within(const Entity& ancestor, const Entity* entity) {
    for (const Entity* e = entity; e; e = e->parentEntity())
        if (e == &ancestor)
            return true;
    return false;
}

bool withinAny(const std::vector<GeometryBase2D*>& items, const Entity* entity) {
    return std::any_of(items.begin(), items.end(),
                       [&](const GeometryBase2D* item) { return within(*item, entity); });
}

// The items at the command's paths: 2D geometry of `sketch`, each named
// once and none inside another; a point only when nothing outside the items
// uses it, and never one that comes and goes with its curves.
std::vector<GeometryBase2D*> groupedItems(CommandContext& context, Sketch2D& sketch) {
    std::vector<GeometryBase2D*> items;
    while (!context.args().atEnd()) {
        Entity& entity = CommandTargets::entity(context, "PATH");
        auto* item = ::Kv::queryInterface<GeometryBase2D>(&entity);
        if (!item || item->sketch2D().get() != &sketch)
            throw CommandError(quoted(context, entity) +
                               " is not 2D geometry of the current 2D sketch");
        if (std::find(items.begin(), items.end(), item) != items.end())
            throw CommandError(quoted(context, entity) + " is named twice");
        items.push_back(item);
    }
    for (GeometryBase2D* item : items) {
        for (GeometryBase2D* other : items)
            if (other != item && within(*other, item))
                throw CommandError(quoted(context, *item) + " is in " + quoted(context, *other) +
                                   ", which is grouped already");
        auto* point = ::Kv::queryInterface<Point2D>(item);
        if (!point)
            continue;
        if (point->wasImplicitlyCreated())
            throw CommandError(quoted(context, *item) +
                               " comes and goes with the curves that use it; group them instead");
        std::vector<StrongRef<GeometryBase2D>> users;
        point->referencingGeometry(
            StrongRef<Managed::ManagedGroupEntity>(
                ::Kv::queryInterface<Managed::ManagedGroupEntity>(point->parentEntity())),
            users);
        for (const StrongRef<GeometryBase2D>& user : users)
            if (!withinAny(items, user.get()))
                throw CommandError(quoted(context, *item) + " is used by " +
                                   quoted(context, *user) + ", which stays outside the group");
    }
    // Points first, so that the curves remade after them share them.
    std::stable_partition(items.begin(), items.end(), [](GeometryBase2D* item) {
        return ::Kv::queryInterface<Point2D>(item) != nullptr;
    });
    return items;
}

// The host cannot move an entity to another parent, so grouping remakes
// the items inside the new group and deletes the originals; the command's
// transaction makes that one step for undo.
void group2d(CommandContext& context) {
    Sketch2D& sketch = currentSketch2D(context);
    const std::vector<GeometryBase2D*> items = groupedItems(context, sketch);
    StrongRef<GeometryGroup2D> group = GeometryGroup2D::make(StrongRef<Entity>(&sketch));
    for (GeometryBase2D* item : items)
        remake(StrongRef<Entity>(group), *item);
    for (GeometryBase2D* item : items)
        if (auto* parent = ::Kv::queryInterface<Managed::ManagedGroupEntity>(item->parentEntity()))
            parent->removeChild(StrongRef<Entity>(item));
    printPath(context, group.get(), "group");
}

} // namespace

void Sketch2DCommands::registerCommands(CommandMgr& commands) {
    commands.registerCommand(
        Command("sketch2d", "sketch2d [NAME]",
                "a new 2D sketch in the component, current from now on; prints its path", true,
                sketch2d)
            .details("The sketch lies in the world XY plane; NAME is its user name (empty\n"
                     "without one). 'use PATH' makes another 2D sketch current."));
    commands.registerCommand(
        Command("point2d", "point2d X Y", "a point of the current 2D sketch; prints its path", true,
                point2d)
            .details("The point stays when the curves through it are deleted. A point already\n"
                     "at that position (within the kernel's tolerance) is printed instead; one\n"
                     "that curves made still goes with the last of them."));
    commands.registerCommand(
        Command("line2d", "line2d X1 Y1 X2 Y2", "a line of the current 2D sketch; prints its path",
                true, line2d)
            .details("Each end is a point found at the position or made there, so lines drawn\n"
                     "end to end share their points. Points made so go with their last curve."));
    commands.registerCommand(Command("circle2d", "circle2d CENTER R",
                                     "a circle of the current 2D sketch; prints its path", true,
                                     circle2d));
    commands.registerCommand(
        Command("arc2d", "arc2d CENTER START END",
                "a circular arc of the current 2D sketch; prints its path", true, arc2d)
            .details("The arc runs counter-clockwise from START to the direction of END, with\n"
                     "the radius of START."));
    commands.registerCommand(
        Command("ellipse2d", "ellipse2d CENTER MAJOR MINOR [from START to END]",
                "an ellipse or elliptic arc of the current 2D sketch; prints its path", true,
                ellipse2d)
            .details("MAJOR is the major axis (X Y) as long as the major radius; MINOR is the\n"
                     "minor radius. With 'from START to END' an arc runs counter-clockwise\n"
                     "between the directions of the two positions seen from the centre."));
    commands.registerCommand(
        Command("spline2d", "spline2d P1 P2 ... [limit N]",
                "a spline of the current 2D sketch through the fit points; prints its path", true,
                spline2d)
            .details("Each end is a point found at its fit point or made there. With 'limit N'\n"
                     "(0 for none) a fit point appended to N of them first drops every other\n"
                     "one, the first always staying."));
    commands.registerCommand(
        Command("append2d", "append2d SPLINE X Y",
                "append a fit point to a 2D spline; prints its number of fit points", true,
                append2d)
            .details("The spline's end moves to the new point, found or made there; under the\n"
                     "spline's limit, every other fit point goes first."));
    commands.registerCommand(
        Command("group2d", "group2d PATH...",
                "group 2D geometry of the current 2D sketch; prints the group's path", true,
                group2d)
            .details("The items named move into a new group of the sketch (they get new paths;\n"
                     "'ls' shows them) and keep their drawing attributes; attributes set on\n"
                     "the group later pass to every member. Without PATH the group is empty.\n"
                     "Points made by curves move with them and cannot be named."));
}

} // namespace Kv::Geometry
