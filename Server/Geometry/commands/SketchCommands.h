#pragma once

#include "Kv/Commands/ICommandProvider.h"

namespace Kv::Geometry {

// The commands that make, pick, name, show and hide 3D sketches: sketch, use,
// rename, show, hide, showall and hideall.
class SketchCommands : public ICommandProvider {
public:
    void registerCommands(CommandMgr& commands) override;
};

} // namespace Kv::Geometry
