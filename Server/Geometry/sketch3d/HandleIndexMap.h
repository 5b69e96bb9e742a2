#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityChange.h"

#include <map>
#include <vector>

namespace Kv::Geometry {

// The edits shared by the two maps from fit-point index to spline handle
// (tangent and curvature handles), each made inside one recorded change of
// the owning list.
template <class Handle> class HandleIndexMap {
public:
    using Map = std::map<int, StrongRef<Handle>>;

    // An index already present keeps its handle.
    static void insert(Entity* owner, Map& map, int index, const StrongRef<Handle>& handle) {
        EntityChange change(owner, kTransactDo, kChangeProperties, 3, nullptr, true);
        map.emplace(index, handle);
    }

    static void remove(Entity* owner, Map& map, int index) {
        auto it = map.find(index);
        if (it == map.end())
            return;
        EntityChange change(owner, kTransactDo, kChangeProperties, 3, nullptr, true);
        map.erase(it);
    }

    // Shifts every handle at `index` or above down by one (decrement) or up by
    // one, as fit points are removed or inserted at `index`.
    static void rearrangeIndex(Entity* owner, Map& map, int index, bool decrement) {
        std::vector<std::pair<int, StrongRef<Handle>>> moved(map.lower_bound(index), map.end());
        if (moved.empty())
            return;
        EntityChange change(owner, kTransactDo, kChangeProperties, 3, nullptr, true);
        for (const auto& entry : moved)
            map.erase(entry.first);
        for (const auto& [key, handle] : moved)
            map.emplace(decrement ? key - 1 : key + 1, handle);
    }
};

} // namespace Kv::Geometry
