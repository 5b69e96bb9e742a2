#include "Application.h"

#include "Console.h"
#include "Invocation.h"
#include "ScriptRunner.h"
#include "UsageError.h"

#include "Kv/AddInMgr/AddInMgr.h"
#include "Kv/Base/PathInfo.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandMgr.h"
#include "Kv/Commands/DocumentCommands.h"
#include "Kv/Commands/HostCommands.h"
#include "Kv/Commands/SelectionCommands.h"
#include "Kv/Commands/Session.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace Kvgeo {
namespace {

std::string banner() {
    const size_t addIns = Kv::AddInMgr::get().addIns().size();
    return std::string("kvgeo ") + KVGEO_VERSION + ", " + std::to_string(addIns) + " add-in" +
           (addIns == 1 ? "" : "s") +
           " loaded. 'help' lists the commands; Ctrl-D ends the session.";
}

} // namespace

Application::Application(std::ostream& out, std::ostream& errors)
    : m_out(out)
    , m_errors(errors) {}

int Application::run(int argc, const char* const argv[]) {
    Invocation invocation;
    try {
        invocation = Invocation::parse(argc, argv);
        if (invocation.help()) {
            m_out << Invocation::helpText();
            return Success;
        }
        configure(invocation);
    } catch (const UsageError& error) {
        m_errors << "error: " << error.what() << '\n' << Invocation::usageLine() << std::endl;
        return UsageFailed;
    }

    int status = Success;
    try {
        loadAddIns();
        Kv::Session session;
        Kv::CommandContext context(session, m_out);
        context.setQuiet(invocation.quiet());
        ScriptRunner runner(Kv::CommandMgr::get(), context, m_errors);
        status = runSources(invocation, runner);
        m_out.flush();
        // Entities of add-in classes go before the add-ins' code does.
        session.closeDocument();
    } catch (const std::exception& error) {
        m_errors << "error: " << error.what() << std::endl;
        status = CommandFailed;
    }
    Kv::AddInMgr::get().unloadAll();
    return status;
}

void Application::configure(const Invocation& invocation) {
    if (invocation.root()) {
        std::error_code error;
        if (!std::filesystem::is_directory(*invocation.root(), error))
            throw UsageError("--root: '" + *invocation.root() + "' is not a directory");
        Kv::PathInfo::setRootDirectory(*invocation.root());
    }
    if (invocation.language()) {
        try {
            Kv::PathInfo::setLanguage(*invocation.language());
        } catch (const std::invalid_argument& error) {
            throw UsageError(std::string("--lang: ") + error.what());
        }
    }
    // A missing script is found before anything runs, not halfway through.
    for (const Invocation::Source& source : invocation.sources()) {
        if (source.kind == Invocation::Source::Script && !std::ifstream(source.text))
            throw UsageError("cannot read script '" + source.text + "'");
    }
}

void Application::loadAddIns() {
    Kv::AddInMgr& addIns = Kv::AddInMgr::get();
    Kv::CommandMgr& commands = Kv::CommandMgr::get();
    Kv::HostCommands(addIns).registerCommands(commands);
    Kv::DocumentCommands().registerCommands(commands);
    Kv::SelectionCommands().registerCommands(commands);
    commands.registerAddInCommands(addIns);
    addIns.loadAll(Kv::PathInfo::rootDirectory());
    // An add-in that does not load takes its commands with it, nothing more.
    for (const std::string& error : addIns.errors())
        m_errors << "warning: " << error << '\n';
    m_errors.flush();
}

int Application::runSources(const Invocation& invocation, ScriptRunner& runner) {
    if (invocation.sources().empty()) {
        if (isatty(STDIN_FILENO)) {
            Console(runner, invocation.quiet()).run(banner());
            return Success;
        }
        return runner.runLines(std::cin) ? Success : CommandFailed;
    }
    for (const Invocation::Source& source : invocation.sources()) {
        bool ok = true;
        if (source.kind == Invocation::Source::Script) {
            ok = runner.runScript(source.text);
        } else {
            std::istringstream lines(source.text);
            ok = runner.runLines(lines);
        }
        if (!ok)
            return CommandFailed;
    }
    return Success;
}

} // namespace Kvgeo
