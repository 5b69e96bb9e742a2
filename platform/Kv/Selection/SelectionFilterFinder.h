#pragma once

#include "Kv/Base/UniqueString.h"

#include <vector>

namespace Kv {

class SelectionFilter;

// Looks selection filters up by name, so that a command can ask for "the
// filter for linear sketch curves" without knowing the add-in that has it.
// A finder is listed in the process-wide registry for as long as it exists:
// add-ins keep theirs as load-time globals, listed at load and gone at unload.
class SelectionFilterFinder {
public:
    SelectionFilterFinder();
    virtual ~SelectionFilterFinder();
    SelectionFilterFinder(const SelectionFilterFinder&) = delete;
    SelectionFilterFinder& operator=(const SelectionFilterFinder&) = delete;

    // This finder's filter called `name`, or null.
    SelectionFilter* find(const UniqueString& name) const { return onFind(name); }

    // The first answer of the registered finders, in the order they were
    // made; null when none knows the name.
    static SelectionFilter* findFilter(const UniqueString& name);
    static const std::vector<SelectionFilterFinder*>& registeredFinders();

protected:
    virtual SelectionFilter* onFind(const UniqueString& name) const = 0;

private:
    static std::vector<SelectionFilterFinder*>& registry();
};

} // namespace Kv
