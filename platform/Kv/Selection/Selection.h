#pragma once

#include "Kv/Base/RefCounted.h"

namespace Kv {

// Something the user selected. Selections outlive edits of the document, so
// whoever keeps one asks it whether it still stands for something.
class Selection : public RefCounted {
public:
    // Whether the selected thing still lives in its document.
    bool isValid() const { return onIsValid(); }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Selection")

protected:
    Selection() = default;
    virtual bool onIsValid() const = 0;
};

} // namespace Kv
