#pragma once

#include "Kv/Base/UniqueString.h"

#include <string>

namespace Kv {

// What the host knows of every add-in, whatever else it offers. The add-in
// owns the object: the host never deletes it, hence no virtual destructor.
class IAddIn {
public:
    // Why an add-in is being unloaded, as passed to onUnloading.
    enum UnloadReason : int {
        UnloadOnShutdown = 0, // the application is closing
        UnloadOnRequest = 1,  // the user or a script asked for it
    };

    // A short human-readable description, for logs and the add-in list.
    virtual std::wstring toString() const = 0;

    // Called once the add-in is registered with the add-in manager, before
    // the host's own listeners hear of it; an add-in may set itself up here.
    virtual void onLoaded() {}
    // Called just before the add-in's library is closed: the last chance to
    // drop what the add-in registered with the host.
    virtual void onUnloading(int /*reason*/) {}

    KV_INTERFACE_ID("Kv::IAddIn")

protected:
    IAddIn() = default;
    IAddIn(const IAddIn&) = default;
    IAddIn& operator=(const IAddIn&) = default;
    ~IAddIn() = default;
};

} // namespace Kv
