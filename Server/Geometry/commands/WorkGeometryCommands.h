#pragma once

#include "Kv/Commands/ICommandProvider.h"

namespace Kv::Geometry {

// The commands that make and size work geometry and show the origin set:
// workplane, workaxis, workpoint, extent and origin.
class WorkGeometryCommands : public ICommandProvider {
public:
    void registerCommands(CommandMgr& commands) override;
};

} // namespace Kv::Geometry
