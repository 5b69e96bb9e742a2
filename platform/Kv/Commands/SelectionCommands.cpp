#include "Kv/Commands/SelectionCommands.h"

#include "Kv/Base/Utf8.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandLine.h"
#include "Kv/Commands/CommandMgr.h"
#include "Kv/Commands/Session.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/ILogicalSelectionSource.h"
#include "Kv/Measure/MeasureMgr.h"
#include "Kv/Selection/LogicalSelection.h"
#include "Kv/Selection/Picker.h"
#include "Kv/Selection/SelectionFilter.h"
#include "Kv/Selection/SelectionFilterFinder.h"
#include "Wyn/Scene/View.h"

#include "ZkGeFormat.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <optional>
#include <ostream>
#include <typeinfo>

namespace Kv {
namespace {

// A measure as the command names it, and what it needs when it fails.
struct MeasureKind {
    const char* name;
    MeasureMgr::EMeasureType type;
    const char* needs;
};

constexpr MeasureKind measureKinds[] = {
    {"length", MeasureMgr::kLength, "a bounded curve"},
    {"radius", MeasureMgr::kRadius, "a circular curve"},
    {"distance", MeasureMgr::kDistance, "points, curves or planes"},
    {"angle", MeasureMgr::kAngle,
     "two straight curves, two planes, or a straight curve and a plane"},
    {"x", MeasureMgr::kX, "a point"},
    {"y", MeasureMgr::kY, "a point"},
    {"z", MeasureMgr::kZ, "a point"},
    {"dx", MeasureMgr::kDeltaX, "two points"},
    {"dy", MeasureMgr::kDeltaY, "two points"},
    {"dz", MeasureMgr::kDeltaZ, "two points"},
};

const MeasureKind& measureKind(const std::string& name) {
    std::string known;
    for (const MeasureKind& kind : measureKinds) {
        if (name == kind.name)
            return kind;
        known += known.empty() ? kind.name : std::string(", ") + kind.name;
    }
    throw CommandError("unknown measure '" + name + "'; expected one of " + known);
}

// The entity at `path` as its own selection source would select it when
// picked; that selection must be one some measure client's filter accepts.
StrongRef<LogicalSelection> measurableSelection(Session& session, const std::string& path) {
    Entity& entity = session.resolve(path);
    auto* source = queryInterface<ILogicalSelectionSource>(&entity);
    StrongRef<LogicalSelection> selection =
        source ? source->onCreateLogicalSelection(ObjectPath::toEntity(&entity))
               : StrongRef<LogicalSelection>();
    if (!selection)
        throw CommandError("'" + path + "' cannot be selected");
    if (!MeasureMgr::isMeasurable(selection))
        throw CommandError("'" + path + "' cannot be measured");
    return selection;
}

void measure(CommandContext& context) {
    CommandLine& args = context.args();
    const MeasureKind& kind = measureKind(args.word("KIND"));
    const bool two = MeasureMgr::takesTwoItems(kind.type);
    const std::string firstPath = args.path("PATH");
    if (two && args.atEnd())
        throw CommandError(std::string(kind.name) + " is measured between two PATHs");
    const std::string secondPath = two ? args.path("PATH") : std::string();
    args.expectEnd();

    Session& session = context.session();
    const StrongRef<LogicalSelection> first = measurableSelection(session, firstPath);
    MeasureMgr::MeasureResult result;
    bool measured = false;
    if (two) {
        const StrongRef<LogicalSelection> second = measurableSelection(session, secondPath);
        measured = MeasureMgr::measure(*first, *second, kind.type, result);
    } else {
        measured = MeasureMgr::measure(*first, kind.type, result);
    }
    if (!measured)
        throw CommandError(std::string(kind.name) + " needs " + kind.needs);
    context.out() << ZkGeFormat::number(result.value) << ' '
                  << ZkGeFormat::toString(result.firstPoint) << ' '
                  << ZkGeFormat::toString(result.secondPoint) << '\n';
}

// How near the picked point a drawing must come to be hit, in view units.
constexpr double kPickTolerance = 0.1;

// The class of `selection` without its namespaces.
std::string className(const LogicalSelection& selection) {
    const char* mangled = typeid(selection).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(mangled, nullptr, nullptr, &status), std::free);
    const std::string name = status == 0 && demangled ? demangled.get() : mangled;
    const size_t colon = name.rfind("::");
    return colon == std::string::npos ? name : name.substr(colon + 2);
}

void pick(CommandContext& context) {
    CommandLine& args = context.args();
    const double x = args.number("X");
    const double y = args.number("Y");
    Wyn::Scene::View view = Wyn::Scene::View::top();
    const SelectionFilter* filter = nullptr;
    while (!args.atEnd()) {
        const std::optional<std::string> option = args.keyword({"view", "filter"});
        if (option == "view") {
            view = args.view("V");
        } else if (option == "filter") {
            const std::string name = args.word("NAME");
            filter = SelectionFilterFinder::findFilter(UniqueString(name));
            if (!filter)
                throw CommandError("no selection filter is called '" + name + "'");
        } else {
            throw CommandError("expected view or filter, got '" + args.word("OPTION") + "'");
        }
    }
    Session& session = context.session();
    for (const Picker::Candidate& candidate :
         Picker::candidates(session.document().sceneManager(), view, x, y, kPickTolerance)) {
        StrongRef<LogicalSelection> selection = Picker::select(candidate.entity, view, x, y);
        if (selection && filter)
            selection = StrongRef<LogicalSelection>(queryInterface<LogicalSelection>(
                filter->filter(StrongRef<Selection>(selection.get())).get()));
        if (!selection)
            continue;
        context.out() << className(*selection) << '\t' << Utf8::toUtf8(selection->userName())
                      << '\t' << session.pathOf(selection->path().leaf()) << '\n';
        return;
    }
    context.out() << "nothing\n";
}

} // namespace

void SelectionCommands::registerCommands(CommandMgr& commands) {
    commands.registerCommand(
        Command("measure", "measure KIND PATH [PATH]",
                "measure entities: length, radius, distance, angle, x, y, z, dx, dy, dz", false,
                measure)
            .details("Prints the value (angles in radians) and the two model-space points it\n"
                     "was taken between, the first on the first PATH. length, radius, x, y and\n"
                     "z take one PATH (the points are then both where the entity stands);\n"
                     "distance, angle, dx, dy and dz take two, dx being the second point's x\n"
                     "minus the first's. A straight curve measures distances to its whole\n"
                     "line, beyond the ends of a segment."));
    commands.registerCommand(
        Command("pick", "pick X Y [view V] [filter NAME]",
                "what a click at view point X Y selects: class, user name and path", false, pick)
            .details("The view is top (the default), front, right or iso; view coordinates\n"
                     "run right and up in model units. The nearest drawing within 0.1 of the\n"
                     "point is hit, points before curves at equal distance. With a filter\n"
                     "(a registered filter name such as LinearSketchCurves) the nearest hit\n"
                     "the filter accepts is taken. Prints \"nothing\" when nothing is hit."));
}

} // namespace Kv
