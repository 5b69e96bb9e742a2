#pragma once

#include "Kv/Commands/ICommandProvider.h"

namespace Kv {

class AddInMgr;

// The commands every host offers whatever add-ins are loaded: help, the
// registered types and add-ins, and the document commands new, undo and redo.
class HostCommands : public ICommandProvider {
public:
    // `types` and `addins` report what `addIns` loaded.
    explicit HostCommands(AddInMgr& addIns);
    HostCommands();

    void registerCommands(CommandMgr& commands) override;

private:
    AddInMgr* m_addIns;
};

} // namespace Kv
