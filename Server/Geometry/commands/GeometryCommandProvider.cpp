#include "Geometry/commands/GeometryCommandProvider.h"

#include "Geometry/commands/CurveCommands.h"
#include "Geometry/commands/EditCommands.h"
#include "Geometry/commands/GeometrySelfTests.h"
#include "Geometry/commands/Sketch2DCommands.h"
#include "Geometry/commands/SketchCommands.h"
#include "Geometry/commands/SplineCommands.h"
#include "Geometry/commands/TextCommands.h"
#include "Geometry/commands/WorkGeometryCommands.h"
#include "Kv/Commands/CommandMgr.h"

#include <algorithm>

namespace Kv::Geometry {

GeometryCommandProvider& GeometryCommandProvider::instance() {
    static GeometryCommandProvider provider;
    return provider;
}

void GeometryCommandProvider::registerCommands(CommandMgr& commands) {
    std::vector<std::string> before;
    for (const Command* command : commands.commands())
        before.push_back(command->name());
    SketchCommands().registerCommands(commands);
    EditCommands().registerCommands(commands);
    CurveCommands().registerCommands(commands);
    SplineCommands().registerCommands(commands);
    TextCommands().registerCommands(commands);
    Sketch2DCommands().registerCommands(commands);
    WorkGeometryCommands().registerCommands(commands);
    std::vector<std::string> added;
    for (const Command* command : commands.commands())
        if (std::find(before.begin(), before.end(), command->name()) == before.end())
            added.push_back(command->name());
    m_registered.push_back(
        {&commands, std::move(added), GeometrySelfTests::registerSelfTests(commands)});
}

void GeometryCommandProvider::unregisterCommands(CommandMgr& commands) {
    for (auto it = m_registered.begin(); it != m_registered.end();) {
        if (it->registry != &commands) {
            ++it;
            continue;
        }
        for (const std::string& name : it->commands)
            commands.unregisterCommand(name);
        for (const std::string& name : it->selfTests)
            commands.unregisterSelfTest(name);
        it = m_registered.erase(it);
    }
}

void GeometryCommandProvider::unregisterAllCommands() {
    while (!m_registered.empty())
        unregisterCommands(*m_registered.front().registry);
}

} // namespace Kv::Geometry
