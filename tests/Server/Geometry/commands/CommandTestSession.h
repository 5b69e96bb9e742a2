#pragma once

// A kvgeo session in the test process: the host's and the add-in's commands
// on a command registry, run line by line as kvgeo runs them.

#include "Kv/AddInMgr/AddInMgr.h"
#include "Kv/Commands/CommandContext.h"
#include "Kv/Commands/CommandMgr.h"
#include "Kv/Commands/Session.h"

#include <sstream>
#include <string>

namespace Kv::Geometry::CommandTests {

class CommandTestSession {
public:
    CommandTestSession();
    ~CommandTestSession();
    CommandTestSession(const CommandTestSession&) = delete;
    CommandTestSession& operator=(const CommandTestSession&) = delete;

    // What the command printed; a failing command throws CommandError.
    std::string run(const std::string& line);
    // The error message of a command that must fail (a test failure if it
    // succeeds).
    std::string failure(const std::string& line);
    template <class T> T* at(const std::string& path) {
        return queryInterface<T>(session.find(path));
    }

    AddInMgr addIns;
    Session session;
    std::ostringstream out;
    CommandContext context;
    CommandMgr commands;
};

} // namespace Kv::Geometry::CommandTests
