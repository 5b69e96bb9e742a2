#pragma once

#include "Kv/Commands/ICommandProvider.h"

namespace Kv {

// The host's commands that store and inspect documents: save, open, ls, get
// and info.
class DocumentCommands : public ICommandProvider {
public:
    void registerCommands(CommandMgr& commands) override;
};

} // namespace Kv
