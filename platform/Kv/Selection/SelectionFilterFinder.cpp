#include "Kv/Selection/SelectionFilterFinder.h"

#include <algorithm>

namespace Kv {

SelectionFilterFinder::SelectionFilterFinder() {
    registry().push_back(this);
}

SelectionFilterFinder::~SelectionFilterFinder() {
    auto& finders = registry();
    finders.erase(std::remove(finders.begin(), finders.end(), this), finders.end());
}

SelectionFilter* SelectionFilterFinder::findFilter(const UniqueString& name) {
    for (const SelectionFilterFinder* finder : registry())
        if (SelectionFilter* filter = finder->find(name))
            return filter;
    return nullptr;
}

const std::vector<SelectionFilterFinder*>& SelectionFilterFinder::registeredFinders() {
    return registry();
}

std::vector<SelectionFilterFinder*>& SelectionFilterFinder::registry() {
    // Function-local, so that it exists before the first add-in global
    // registers and after the last one is gone.
    static std::vector<SelectionFilterFinder*> finders;
    return finders;
}

} // namespace Kv
