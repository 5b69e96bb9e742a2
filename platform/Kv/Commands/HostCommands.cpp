#include "Kv/Commands/HostCommands.h"

#include "Kv/AddInMgr/AddInMgr.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/CommandLine.h"
#include "Kv/Commands/CommandMgr.h"
#include "Kv/Commands/SelfTest.h"
#include "Kv/Commands/Session.h"
#include "Kv/CommonData/HostMetaTypes.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MetaTypeMgr.h"

#include <algorithm>
#include <ostream>

namespace Kv {
namespace {

// Usage lines longer than this do not push every summary to the right.
constexpr size_t usageColumn = 36;

void help(CommandContext& context) {
    CommandLine& args = context.args();
    std::ostream& out = context.out();
    if (!args.atEnd()) {
        const Command& command = context.commandMgr().command(args.word("COMMAND"));
        args.expectEnd();
        out << "usage: " << command.usage() << '\n' << command.summary() << '\n';
        if (!command.details().empty()) {
            out << command.details();
            if (command.details().back() != '\n')
                out << '\n';
        }
        return;
    }
    const std::vector<const Command*> commands = context.commandMgr().commands();
    size_t width = 0;
    for (const Command* command : commands)
        if (command->usage().size() <= usageColumn)
            width = std::max(width, command->usage().size());
    for (const Command* command : commands) {
        const std::string& usage = command->usage();
        out << usage << std::string(usage.size() < width ? width - usage.size() : 0, ' ') << "  "
            << command->summary() << '\n';
    }
}

void types(CommandContext& context, bool all) {
    const std::string hostId = CommonData::HostMetaTypes::hostAddInId();
    for (EntityMetaType* metaType : MetaTypeMgr::get().metaTypes()) {
        if (!all && metaType->addInId() == hostId)
            continue;
        context.out() << metaType->identifier() << '\t' << metaType->name() << '\t'
                      << metaType->version() << '\t' << metaType->baseIdentifier() << '\t'
                      << metaType->kind() << '\t'
                      << (metaType->memberSet().initialized() ? "yes" : "no") << '\n';
    }
}

// Undoes or redoes up to `count` commands; fails only when not even one could
// be, so that `undo 100` is a handy "back to the start".
void replay(CommandContext& context, bool forward) {
    CommandLine& args = context.args();
    const long long count = args.atEnd() ? 1 : args.integer("N", 1);
    args.expectEnd();
    Asset* asset = context.session().documentIfAny();
    long long done = 0;
    while (asset && done < count && (forward ? asset->redo() : asset->undo()))
        ++done;
    if (done == 0)
        throw CommandError(forward ? "nothing to redo" : "nothing to undo");
}

// Runs every registered self test, each on a scratch session of its own, one
// line per test, then the tally; fails when any test did.
void selftest(CommandContext& context) {
    context.args().expectEnd();
    std::ostream& out = context.out();
    size_t passed = 0, failed = 0;
    for (const SelfTest* test : context.commandMgr().selfTests()) {
        try {
            test->run(context.commandMgr(), *context.session().makeScratch());
            out << "passed\t" << test->name() << '\n';
            ++passed;
        } catch (const std::exception& error) {
            out << "FAILED\t" << test->name() << ": " << error.what() << '\n';
            ++failed;
        }
    }
    out << passed << " passed, " << failed << " failed\n";
    if (failed)
        throw CommandError(std::to_string(failed) + (failed == 1 ? " self test" : " self tests") +
                           " failed");
}

} // namespace

HostCommands::HostCommands(AddInMgr& addIns)
    : m_addIns(&addIns) {}

HostCommands::HostCommands()
    : HostCommands(AddInMgr::get()) {}

void HostCommands::registerCommands(CommandMgr& commands) {
    commands.registerCommand(Command("help", "help [COMMAND]",
                                     "the commands, or how to write one of them", false, help));

    commands.registerCommand(
        Command("types", "types [-a]",
                "the registered entity types: identifier, name, version, base, kind, "
                "member set initialised",
                false,
                [](CommandContext& context) {
                    const bool all = context.args().keyword("-a");
                    context.args().expectEnd();
                    types(context, all);
                })
            .details("One line per type in registration order, fields separated by tabs.\n"
                     "Kind is 1 (abstract), 2 (concrete) or 4 (class of a core add-in);\n"
                     "the last field is yes once the type's member set has been built.\n"
                     "Without -a the host's own types are left out."));

    AddInMgr* addIns = m_addIns;
    commands.registerCommand(Command(
        "addins", "addins", "the loaded add-ins: identifier, library path, configuration path",
        false, [addIns](CommandContext& context) {
            context.args().expectEnd();
            for (const AddIn* addIn : addIns->addIns())
                context.out() << addIn->identifier() << '\t' << addIn->libraryPath() << '\t'
                              << addIn->configurationPath() << '\n';
        }));

    commands.registerCommand(
        Command("selftest", "selftest", "run the self tests the host and add-ins registered", false,
                selftest)
            .details("Each test works on a scratch document of its own; the open document is\n"
                     "not touched. One line per test, passed or FAILED with the reason, then\n"
                     "the tally. Fails when any test failed."));

    commands.registerCommand(Command("new", "new", "replace the document by a new, empty one",
                                     false,
                                     [](CommandContext& context) {
                                         context.args().expectEnd();
                                         context.session().newDocument();
                                     })
                                 .details("The undo history starts again empty."));

    commands.registerCommand(
        Command("undo", "undo [N]", "undo the last N commands that changed the document", false,
                [](CommandContext& context) { replay(context, false); })
            .details("N defaults to 1. When fewer than N commands can be undone, all of them\n"
                     "are; it is an error only when there is nothing to undo at all."));

    commands.registerCommand(
        Command("redo", "redo [N]", "redo the last N undone commands", false,
                [](CommandContext& context) { replay(context, true); })
            .details("N defaults to 1. When fewer than N commands can be redone, all of them\n"
                     "are; it is an error only when there is nothing to redo at all. A command\n"
                     "that changes the document forgets what could be redone."));
}

} // namespace Kv
