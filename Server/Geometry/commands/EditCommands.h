#pragma once

#include "Kv/Commands/ICommandProvider.h"

namespace Kv::Geometry {

// The commands that make and edit sketch geometry in general: point, move
// and set.
class EditCommands : public ICommandProvider {
public:
    void registerCommands(CommandMgr& commands) override;
};

} // namespace Kv::Geometry
