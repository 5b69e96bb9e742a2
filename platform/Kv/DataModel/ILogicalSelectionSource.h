#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/Base/UniqueString.h"
#include "Kv/DataModel/ObjectPath.h"

#include <algorithm>

namespace Kv {

class Entity;
class LogicalSelection;

// An entity that turns a picked path into what the user meant to select.
class ILogicalSelectionSource {
public:
    virtual StrongRef<LogicalSelection> onCreateLogicalSelection(const ObjectPath& path) = 0;

    // Whether this source is the one that should answer for `path`: the path
    // passes through the source's entity and nothing below it on the path is
    // a selection source of its own (a use list, say, picked with its curve).
    bool isFinalLogicalSelectionSource(const ObjectPath& path) const {
        const Entity* entity = logicalSelectionEntity();
        const auto& elements = path.elements();
        auto it = std::find_if(elements.begin(), elements.end(),
                               [&](const StrongRef<Entity>& e) { return e.get() == entity; });
        if (it == elements.end())
            return false;
        return std::none_of(++it, elements.end(), [](const StrongRef<Entity>& e) {
            return queryInterface<ILogicalSelectionSource>(e.get()) != nullptr;
        });
    }

    KV_INTERFACE_ID("Kv::ILogicalSelectionSource")

protected:
    ~ILogicalSelectionSource() = default;
    // The entity that implements this source.
    virtual Entity* logicalSelectionEntity() const = 0;
};

} // namespace Kv
