#pragma once

#include "Kv/Base/StrongRef.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Kv {

class Asset;
class Entity;
class Member;
class MemberSet;
class RefMetaType;

// What encoding, decoding and printing member values needs to know about the
// world outside the value: how to find an entity a reference names, what to
// keep alive while a snapshot exists, and how to name an entity in text.
class MemberContext {
public:
    // A reference read before the entity it names: the slot it goes to, who
    // read it, and the entity it names.
    struct PendingReference {
        const RefMetaType* type = nullptr; // assigns the target, checking its class
        void* slot = nullptr;
        Entity* entity = nullptr; // whose member holds the slot
        const MemberSet* set = nullptr;
        const Member* member = nullptr;
        uint32_t segmentKey = 0;
        uint64_t id = 0;
    };

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

    // Decoding: when set, a reference to an entity the asset does not hold
    // (yet) is left null and appended here rather than being an error; the
    // caller resolves them with MemberCodec::resolve once every entity is in.
    std::vector<PendingReference>* pending = nullptr;
    // Decoding: the entity, member set and member being read, which pending
    // references record.
    PendingReference reading;

    // Decoding: the entity a reference names, or null for the null reference.
    // Throws FormatError when the reference names nothing.
    Entity* resolve(uint32_t segmentKey, uint64_t id) const;
};

} // namespace Kv
