#pragma once

#include "Kv/Base/UniqueString.h"

namespace Kv {

class Component;

// What an add-in answers to queryInterface("Kv::IComponentContributor") to put
// its collections into every new document's component.
class IComponentContributor {
public:
    // Called while the document is set up, outside any transaction: the
    // collections are where a document starts, not something to undo.
    virtual void populateComponent(Component& component) = 0;

    KV_INTERFACE_ID("Kv::IComponentContributor")

protected:
    IComponentContributor() = default;
    IComponentContributor(const IComponentContributor&) = default;
    IComponentContributor& operator=(const IComponentContributor&) = default;
    ~IComponentContributor() = default;
};

} // namespace Kv
