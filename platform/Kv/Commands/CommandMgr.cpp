#include "Kv/Commands/CommandMgr.h"

#include "Kv/AddInMgr/AddInMgr.h"
#include "Kv/Commands/ArgumentError.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandLine.h"
#include "Kv/Commands/ICommandProvider.h"
#include "Kv/Commands/Session.h"
#include "Kv/DataModel/Asset.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace Kv {
namespace {

void runInTransaction(const Command& command, CommandContext& context) {
    Asset& asset = context.session().document();
    asset.beginTransaction(command.name());
    try {
        command.run(context);
    } catch (const std::exception& error) {
        try {
            asset.abortTransaction();
        } catch (const std::exception& rollback) {
            throw CommandError(std::string(error.what()) +
                               " (and undoing its changes failed: " + rollback.what() + ")");
        }
        throw;
    } catch (...) {
        asset.abortTransaction();
        throw;
    }
    asset.commitTransaction();
}

} // namespace

CommandMgr& CommandMgr::get() {
    static CommandMgr* mgr = new CommandMgr;
    return *mgr;
}

CommandMgr::CommandMgr() = default;

CommandMgr::~CommandMgr() = default;

void CommandMgr::registerCommand(Command command) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const std::string name = command.name();
    if (m_commands.count(name))
        throw std::logic_error("command '" + name + "' is registered twice");
    m_commands.emplace(name, std::make_unique<Command>(std::move(command)));
}

bool CommandMgr::unregisterCommand(const std::string& name) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_commands.erase(name) > 0;
}

const Command* CommandMgr::find(const std::string& name) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_commands.find(name);
    return it == m_commands.end() ? nullptr : it->second.get();
}

const Command& CommandMgr::command(const std::string& name) const {
    const Command* found = find(name);
    if (!found)
        throw CommandError("unknown command '" + name + "' ('help' lists the commands)");
    return *found;
}

void CommandMgr::registerSelfTest(SelfTest test) {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& registered : m_selfTests)
        if (registered->name() == test.name())
            throw std::logic_error("self test '" + test.name() + "' is registered twice");
    m_selfTests.push_back(std::make_unique<SelfTest>(std::move(test)));
}

bool CommandMgr::unregisterSelfTest(const std::string& name) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = std::find_if(m_selfTests.begin(), m_selfTests.end(),
                                 [&name](const auto& test) { return test->name() == name; });
    if (it == m_selfTests.end())
        return false;
    m_selfTests.erase(it);
    return true;
}

std::vector<const SelfTest*> CommandMgr::selfTests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<const SelfTest*> result;
    for (const auto& test : m_selfTests)
        result.push_back(test.get());
    return result;
}

std::vector<const Command*> CommandMgr::commands() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<const Command*> result;
    result.reserve(m_commands.size());
    for (const auto& [name, command] : m_commands)
        result.push_back(command.get());
    return result;
}

void CommandMgr::registerAddInCommands(AddInMgr& addIns) {
    auto ask = [this](AddIn& addIn) {
        void* provider = addIn.serverAddIn()->queryInterface(ICommandProvider::interfaceId());
        if (provider)
            static_cast<ICommandProvider*>(provider)->registerCommands(*this);
    };
    for (AddIn* addIn : addIns.addIns())
        ask(*addIn);
    addIns.onAddInLoaded(ask);
}

bool CommandMgr::run(const std::string& line, CommandContext& context) {
    CommandLine args(line);
    if (args.empty())
        return false;
    // A copy: the command may unregister itself or others while it runs.
    const Command command = this->command(args.name());
    // Restores what ran before, so that a command may run others through the
    // same context.
    struct Running {
        CommandContext& context;
        CommandLine* args;
        const Command* command;
        CommandMgr* commandMgr;
        ~Running() {
            context.m_args = args;
            context.m_command = command;
            context.m_commandMgr = commandMgr;
        }
    } running{context, std::exchange(context.m_args, &args),
              std::exchange(context.m_command, &command),
              std::exchange(context.m_commandMgr, this)};
    try {
        if (command.changesDocument())
            runInTransaction(command, context);
        else
            command.run(context);
    } catch (const ArgumentError& error) {
        throw CommandError(std::string(error.what()) + " (usage: " + command.usage() + ")");
    } catch (const std::exception& error) {
        throw CommandError(error.what());
    } catch (...) {
        throw CommandError(command.name() + " failed for an unknown reason");
    }
    return true;
}

} // namespace Kv
