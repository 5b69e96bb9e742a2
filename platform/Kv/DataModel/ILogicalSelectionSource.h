#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/Base/UniqueString.h"
#include "Kv/DataModel/ObjectPath.h"

namespace Kv {

class Entity;
class LogicalSelection;

// An entity that turns a picked path into what the user meant to select.
class ILogicalSelectionSource {
public:
    virtual StrongRef<LogicalSelection> onCreateLogicalSelection(const ObjectPath& path) = 0;

    // Whether this source is the one that should answer for `path`: the path
    // ends at the source's own entity rather than passing through it.
    bool isFinalLogicalSelectionSource(const ObjectPath& path) const {
        const Entity* entity = logicalSelectionEntity();
        return entity && path.leaf() == entity;
    }

    KV_INTERFACE_ID("Kv::ILogicalSelectionSource")

protected:
    ~ILogicalSelectionSource() = default;
    // The entity that implements this source.
    virtual Entity* logicalSelectionEntity() const = 0;
};

} // namespace Kv
