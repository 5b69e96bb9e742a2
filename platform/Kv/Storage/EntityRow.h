#pragma once

#include <cstdint>
#include <string_view>

namespace Kv {

// One row of a document's entities table as it goes between the thread that
// talks to SQLite and the one that makes or encodes the entities.
struct EntityRow {
    int64_t segment = 0;
    int64_t id = 0;
    // The class identifier's bytes.
    std::string_view metaType;
    bool hasParent = false;
    int64_t parentSegment = 0;
    int64_t parentId = 0;
    int64_t childIndex = 0;
    std::string_view members;
};

} // namespace Kv
