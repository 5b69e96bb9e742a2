#pragma once

#include "Kv/Base/Object.h"
#include "Kv/Base/StrongRef.h"
#include "Kv/Selection/Selection.h"

namespace Kv {

class SelectionFilterContext;

// Decides which selections a command accepts. A filter hands back what it
// accepts (the candidate itself, or a selection it turned the candidate into)
// and a null reference for what it rejects. Filters are process-wide
// singletons of their add-ins.
class SelectionFilter : public Object {
public:
    SelectionFilter(const SelectionFilter&) = delete;
    SelectionFilter& operator=(const SelectionFilter&) = delete;

    StrongRef<Selection> filter(const StrongRef<Selection>& candidate,
                                const SelectionFilterContext* context = nullptr) const {
        return candidate ? onFilter(candidate, context) : StrongRef<Selection>();
    }
    // Whether the filter takes part in picking at the moment.
    bool isEnabled() const { return onIsEnabled(); }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::SelectionFilter")

protected:
    SelectionFilter() = default;
    ~SelectionFilter() override = default;

    // Called with a candidate that is never null.
    virtual StrongRef<Selection> onFilter(const StrongRef<Selection>& candidate,
                                          const SelectionFilterContext* context) const = 0;
    virtual bool onIsEnabled() const { return true; }
};

} // namespace Kv
