#pragma once

#include "Kv/DataModel/MemberContext.h"
#include "Kv/DataModel/MemberMetaType.h"

#include <ostream>
#include <string>
#include <string_view>

namespace Kv {

class Entity;
class MemberSet;

// Writes and reads all persisted members of an entity through a member set.
// The blob is a list of tagged members (name, type key, value), so data of
// another version reads as long as names and types agree; members missing
// from the blob keep their values.
class MemberCodec {
public:
    // The member set that reads `entity`'s data: the one of its migrating
    // version while it is being migrated, the current one otherwise.
    static MemberSet& readSet(Entity* entity);

    static std::string encode(Entity* entity, MemberContext& context);
    static std::string encode(Entity* entity, const MemberSet& set, MemberContext& context);
    // Throws FormatError naming the member when the blob does not fit the set.
    static void decode(Entity* entity, std::string_view blob, MemberContext& context);
    static void decode(Entity* entity, const MemberSet& set, std::string_view blob,
                       MemberContext& context);
    // Sets a reference that decoding left pending to the entity it names, now
    // in `context.asset`. Throws FormatError naming the member when there is
    // no such entity or it is of the wrong class.
    static void resolve(const MemberContext::PendingReference& reference, MemberContext& context);

    // Every reference among the entity's members, in the order encode writes
    // them, with whether it owns its target; nothing is written.
    static void forEachReference(Entity* entity, const ReferenceVisitor& visit);

    // `NAME = VALUE` per member, one per line, base classes first.
    static void print(Entity* entity, std::ostream& out, const MemberContext& context);
    // The value of one member; false when the entity has no such member.
    static bool printMember(Entity* entity, const std::string& name, std::ostream& out,
                            const MemberContext& context);
};

} // namespace Kv
