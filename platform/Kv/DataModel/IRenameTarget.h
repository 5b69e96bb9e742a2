#pragma once

#include "Kv/Base/UniqueString.h"

#include <string>

namespace Kv::DataModel {

// An object with a user name that the user can change.
class IRenameTarget {
public:
    // The name as the user edits it.
    virtual std::wstring onRenameText() = 0;
    // Gives the object the name the user typed; false when it is refused.
    virtual bool onRename(const std::wstring& name) = 0;
    // Whether no other object the name must differ from has `name`.
    virtual bool isUniqueName(const std::wstring& name) = 0;

    // `name` when it is unique, otherwise the first unique one of
    // "name (1)", "name (2)", ...
    std::wstring getUniqueName(const std::wstring& name);

    KV_INTERFACE_ID("Kv::DataModel::IRenameTarget")

protected:
    ~IRenameTarget() = default;
};

} // namespace Kv::DataModel
