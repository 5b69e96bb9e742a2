#pragma once

#include "Kv/Commands/ICommandProvider.h"

namespace Kv::Geometry {

// The command that places sketch text: text, optionally framed by its box.
class TextCommands : public ICommandProvider {
public:
    void registerCommands(CommandMgr& commands) override;
};

} // namespace Kv::Geometry
