#pragma once

#include "Kv/AddInMgr/IAddIn.h"
#include "Kv/Base/UniqueString.h"

namespace Kv {

// An add-in loaded into the host process. Its library exports
//   extern "C" Kv::IServerAddIn* GetIAddIn();
// which the add-in manager calls once after loading the library. What the
// add-in contributes (commands, services) is asked for by interface name, so
// that the host needs no header of the add-in.
class IServerAddIn : public IAddIn {
public:
    // The name of the add-in's own interface, e.g. "Kv::Geometry10".
    virtual const UniqueString& getInterfaceId() const = 0;

    // The add-in as the interface named `id`, or null. Add-ins answer what
    // they offer and defer to this for the two host interfaces.
    virtual void* queryInterface(const UniqueString& id) {
        if (id == IServerAddIn::interfaceId())
            return this;
        if (id == IAddIn::interfaceId())
            return static_cast<IAddIn*>(this);
        return nullptr;
    }

    KV_INTERFACE_ID("Kv::IServerAddIn")

protected:
    IServerAddIn() = default;
    IServerAddIn(const IServerAddIn&) = default;
    IServerAddIn& operator=(const IServerAddIn&) = default;
    ~IServerAddIn() = default;
};

// The type of the entry point every add-in library exports.
using GetIAddInFunction = IServerAddIn* (*)();

} // namespace Kv
