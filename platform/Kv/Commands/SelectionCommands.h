#pragma once

#include "Kv/Commands/ICommandProvider.h"

namespace Kv {

// The host's commands that select entities and measure selections through
// the selection and measurement interfaces the add-ins implement: pick and measure.
class SelectionCommands : public ICommandProvider {
public:
    void registerCommands(CommandMgr& commands) override;
};

} // namespace Kv
