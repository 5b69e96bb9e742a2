#include "Kv/DataModel/MemberContext.h"

#include "Kv/Base/ByteReader.h"
#include "Kv/DataModel/Asset.h"

namespace Kv {

Entity* MemberContext::resolve(uint32_t segmentKey, uint64_t id) const {
    if (id == 0)
        return nullptr;
    Entity* entity = asset ? asset->findEntity(segmentKey, id) : nullptr;
    if (!entity)
        throw FormatError("dangling reference to entity " + std::to_string(id) + " of segment " +
                          std::to_string(segmentKey));
    return entity;
}

} // namespace Kv
