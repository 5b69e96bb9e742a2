#pragma once

#include "Kv/Commands/ICommandProvider.h"

#include <string>
#include <utility>
#include <vector>

namespace Kv::Geometry {

// The add-in's kvgeo commands, handed to the host when it asks. Registries
// outlive the library, so the add-in takes its commands back before it is
// unloaded.
class GeometryCommandProvider : public ICommandProvider {
public:
    static GeometryCommandProvider& instance();

    void registerCommands(CommandMgr& commands) override;
    void unregisterCommands(CommandMgr& commands);
    void unregisterAllCommands();

private:
    std::vector<std::pair<CommandMgr*, std::vector<std::string>>> m_registered;
};

} // namespace Kv::Geometry
