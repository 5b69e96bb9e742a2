#pragma once

#include "Kv/Commands/ICommandProvider.h"

#include <string>
#include <vector>

namespace Kv::Geometry {

// The add-in's kvgeo commands and self tests, handed to the host when it asks. Registries
// outlive the library, so the add-in takes them back before it is
// unloaded.
class GeometryCommandProvider : public ICommandProvider {
public:
    static GeometryCommandProvider& instance();

    void registerCommands(CommandMgr& commands) override;
    void unregisterCommands(CommandMgr& commands);
    void unregisterAllCommands();

private:
    // What was registered where, by name.
    struct Registration {
        CommandMgr* registry;
        std::vector<std::string> commands;
        std::vector<std::string> selfTests;
    };
    std::vector<Registration> m_registered;
};

} // namespace Kv::Geometry
