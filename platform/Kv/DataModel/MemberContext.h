#pragma once

#include "Kv/Base/StrongRef.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Kv {

class Asset;
class Entity;

// What encoding, decoding and printing member values needs to know about the
// world outside the value: how to find an entity a reference names, what to
// keep alive while a snapshot exists, and how to name an entity in text.
class MemberContext {
public:
    // Decoding: references are resolved in this asset. With no asset, every
    // non-null reference is an error.
    Asset* asset = nullptr;

    // Encoding: when set, every referenced entity is appended, so that an undo
    // snapshot can always be applied again.
    std::vector<StrongRef<Entity>>* keepAlive = nullptr;

    // Encoding: references to entities for which this answers false are
    // written as null (a document holds only what it saves).
    std::function<bool(const Entity*)> isWritten;

    // Encoding: told about every non-null reference written, and whether it
    // owns its target.
    std::function<void(Entity*, bool owning)> onReference;

    // Printing: the text of a reference. Without it, `#<id>` is printed.
    std::function<std::string(const Entity*)> pathOf;

    // Decoding: the entity a reference names, or null for the null reference.
    // Throws FormatError when the reference names nothing.
    Entity* resolve(uint32_t segmentKey, uint64_t id) const;
};

} // namespace Kv
