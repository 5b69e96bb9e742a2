#pragma once

#include "Kv/Commands/Command.h"
#include "Kv/Commands/SelfTest.h"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Kv {

class AddInMgr;
class CommandContext;

// The registry of text commands and self tests, and the one place that runs them, so that every
// command that fails leaves the document and its undo history as they were.
class CommandMgr {
public:
    // The application's registry. Never destroyed, so that functions that
    // live in add-in libraries are not destroyed after those are closed.
    static CommandMgr& get();

    // A registry of its own, for tools and tests.
    CommandMgr();
    ~CommandMgr();
    CommandMgr(const CommandMgr&) = delete;
    CommandMgr& operator=(const CommandMgr&) = delete;

    // Throws std::logic_error when the name is taken: two add-ins must not
    // silently replace each other's commands.
    void registerCommand(Command command);
    bool unregisterCommand(const std::string& name);
    // The command of that name, or null.
    const Command* find(const std::string& name) const;
    // The command of that name; throws CommandError naming it otherwise.
    const Command& command(const std::string& name) const;
    // Sorted by name.
    std::vector<const Command*> commands() const;

    // Self tests run by `selftest`, in registration order. Registering a
    // taken name throws std::logic_error, as for commands.
    void registerSelfTest(SelfTest test);
    bool unregisterSelfTest(const std::string& name);
    std::vector<const SelfTest*> selfTests() const;

    // Asks every add-in of `addIns`, loaded now and later, for its commands
    // through Kv::ICommandProvider. Call once per registry.
    void registerAddInCommands(AddInMgr& addIns);

    // Runs one line. A command that changes the document runs inside one
    // transaction named after it, aborted when the command throws. Blank and
    // comment lines do nothing and return false.
    // Every failure comes out as CommandError; for wrong arguments its
    // message ends with the command's usage.
    bool run(const std::string& line, CommandContext& context);

private:
    mutable std::mutex m_mutex; // registration may come from add-ins while commands are listed
    std::map<std::string, std::unique_ptr<Command>> m_commands;
    std::vector<std::unique_ptr<SelfTest>> m_selfTests;
};

} // namespace Kv
