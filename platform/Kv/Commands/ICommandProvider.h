#pragma once

#include "Kv/Base/UniqueString.h"

namespace Kv {

class CommandMgr;

// What an add-in answers to queryInterface("Kv::ICommandProvider") to bring
// commands of its own; it unregisters them again in onUnloading.
class ICommandProvider {
public:
    // Asked once, right after the add-in loaded.
    virtual void registerCommands(CommandMgr& commands) = 0;

    KV_INTERFACE_ID("Kv::ICommandProvider")

protected:
    ICommandProvider() = default;
    ICommandProvider(const ICommandProvider&) = default;
    ICommandProvider& operator=(const ICommandProvider&) = default;
    ~ICommandProvider() = default;
};

} // namespace Kv
