#pragma once

#include "Kv/Base/RefCounted.h"
#include "Kv/DataModel/ObjectPath.h"

#include <string>
#include <utility>

namespace Kv {

// What the user selected, as the entity at the end of a picked path
// understands it (a whole sketch, one end of a line, a face of a plane).
class LogicalSelection : public RefCounted {
public:
    // The path the selection was made from.
    const ObjectPath& path() const { return m_path; }
    // What the selection is called where the user sees it; empty when the
    // selected thing has no name of its own.
    virtual std::wstring userName() const { return {}; }

    void* queryInterface(const UniqueString& id) override {
        return id == interfaceId() ? this : RefCounted::queryInterface(id);
    }
    KV_INTERFACE_ID("Kv::LogicalSelection")

protected:
    explicit LogicalSelection(ObjectPath path)
        : m_path(std::move(path)) {}

private:
    ObjectPath m_path;
};

} // namespace Kv
