#include "CommandTestSession.h"

#include "Geometry/GeometryComponentContributor.h"
#include "Geometry/commands/GeometryCommandProvider.h"
#include "Kv/Commands/CommandError.h"
#include "Kv/Commands/DocumentCommands.h"
#include "Kv/Commands/HostCommands.h"

#include <gtest/gtest.h>

namespace Kv::Geometry::CommandTests {

CommandTestSession::CommandTestSession()
    : session(addIns)
    , context(session, out) {
    session.addComponentContributor(&GeometryComponentContributor::instance());
    HostCommands(addIns).registerCommands(commands);
    DocumentCommands().registerCommands(commands);
    GeometryCommandProvider::instance().registerCommands(commands);
}

CommandTestSession::~CommandTestSession() {
    GeometryCommandProvider::instance().unregisterCommands(commands);
    session.closeDocument();
}

std::string CommandTestSession::run(const std::string& line) {
    out.str("");
    commands.run(line, context);
    return out.str();
}

std::string CommandTestSession::failure(const std::string& line) {
    try {
        run(line);
    } catch (const CommandError& error) {
        return error.what();
    }
    ADD_FAILURE() << line << " succeeded";
    return {};
}

} // namespace Kv::Geometry::CommandTests
