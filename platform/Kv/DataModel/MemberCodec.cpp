#include "Kv/DataModel/MemberCodec.h"

#include "Kv/Base/ByteReader.h"
#include "Kv/Base/ByteWriter.h"
#include "Kv/DataModel/Entity.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MemberMetaType.h"
#include "Kv/DataModel/MemberSet.h"
#include "Kv/DataModel/RefMetaType.h"
#include "Kv/DataModel/Segment.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace Kv {
namespace {

// Where the fields of `member` live for `entity`.
const void* holderOf(Entity* entity, const MemberSet& set, const Member& member) {
    if (!member.inMigrationHelper())
        return static_cast<const void*>(entity);
    const void* helper = entity->segment()->migrationHelper(entity, set.metaType());
    if (!helper)
        throw FormatError("member " + member.name() + " of " + set.name() +
                          " needs a migration helper, and the entity has none");
    return helper;
}

// Whether `data` holds `header` at `at`. Headers are a few dozen bytes, which
// whole words compare faster than a call to memcmp does.
bool holdsAt(std::string_view data, size_t at, const std::string& header) {
    const size_t size = header.size();
    if (size > data.size() - at)
        return false;
    const char* here = data.data() + at;
    const char* expected = header.data();
    const auto word = [](const char* bytes) {
        uint64_t value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    };
    if (size < sizeof(uint64_t))
        return std::equal(here, here + size, expected);
    for (size_t i = 0; i + sizeof(uint64_t) < size; i += sizeof(uint64_t))
        if (word(here + i) != word(expected + i))
            return false;
    const size_t last = size - sizeof(uint64_t); // may overlap the word before
    return word(here + last) == word(expected + last);
}

// Forgets the references of `member` of `entity` left pending, before the
// member is read again (data naming a member twice keeps the last value, and
// the slots of the first may be gone).
void forgetPending(std::vector<MemberContext::PendingReference>& pending, const Entity* entity,
                   const Member* member) {
    auto own = pending.end();
    while (own != pending.begin() && std::prev(own)->entity == entity)
        --own;
    pending.erase(std::remove_if(own, pending.end(),
                                 [member](const MemberContext::PendingReference& reference) {
                                     return reference.member == member;
                                 }),
                  pending.end());
}

} // namespace

MemberSet& MemberCodec::readSet(Entity* entity) {
    EntityMetaType* type = entity->metaType();
    if (entity->isMigrating()) {
        uint32_t version = entity->migratingVersion(type);
        if (version != type->version())
            return type->memberSet(version);
    }
    return type->memberSet();
}

std::string MemberCodec::encode(Entity* entity, MemberContext& context) {
    return encode(entity, entity->metaType()->memberSet(), context);
}

std::string MemberCodec::encode(Entity* entity, const MemberSet& set, MemberContext& context) {
    ByteWriter out;
    const std::vector<MemberSet::WrittenMember>& members = set.writtenOrder();
    out.reserve(members.size() * 48); // names, type keys and small values, as most members are
    out.write<uint32_t>(static_cast<uint32_t>(members.size()));
    for (const MemberSet::WrittenMember& written : members) {
        const Member& member = *written.member;
        out.writeString(member.name());
        out.writeString(member.typeKey());
        const void* holder = holderOf(entity, set, member);
        size_t start = out.beginSized();
        member.metaType()->encode(member.field(holder), member.functions(), out, context);
        out.endSized(start);
    }
    return out.take();
}

void MemberCodec::decode(Entity* entity, std::string_view blob, MemberContext& context) {
    decode(entity, readSet(entity), blob, context);
}

void MemberCodec::decode(Entity* entity, const MemberSet& set, std::string_view blob,
                         MemberContext& context) {
    ByteReader in(blob);
    const uint32_t count = in.read<uint32_t>();
    // Data written through this set names its members in the order of the
    // set, so one comparison of the bytes naming the member expected next
    // finds it. Data in another order is read as well, only slower: each
    // member is looked up by name.
    const std::vector<MemberSet::WrittenMember>& order = set.writtenOrder();
    bool inOrder = true;
    context.reading.entity = entity;
    context.reading.set = &set;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t at = blob.size() - in.remaining();
        const Member* member = nullptr;
        if (inOrder && i < order.size() && holdsAt(blob, at, order[i].header))
            member = order[i].member;
        std::string_view name, key, value;
        try {
            name = in.readBytes();
            key = in.readBytes();
            value = in.readBytes();
        } catch (const FormatError& error) {
            // A blob cut short is reported at the member it cuts into.
            std::string which = name.empty() ? "member " + std::to_string(i + 1)
                                             : "member \"" + std::string(name) + "\"";
            throw FormatError(which + " of " + set.name() + ": " + error.what());
        }
        if (!member) {
            inOrder = false;
            member = set.findMember(std::string(name));
            if (!member)
                throw FormatError("class " + set.name() + " has no member \"" + std::string(name) +
                                  "\"");
            if (member->typeKey() != key)
                throw FormatError("member \"" + member->name() + "\" of " + set.name() +
                                  " holds a " + std::string(key) + ", expected a " +
                                  member->typeKey());
            if (context.pending)
                forgetPending(*context.pending, entity, member);
        }
        context.reading.member = member;
        ByteReader valueIn(value);
        try {
            void* holder = const_cast<void*>(holderOf(entity, set, *member));
            member->metaType()->decode(member->field(holder), member->functions(), valueIn,
                                       context);
            valueIn.expectEnd();
        } catch (const FormatError& error) {
            throw FormatError("member \"" + member->name() + "\" of " + set.name() + ": " +
                              error.what());
        }
    }
    in.expectEnd();
}

void MemberCodec::resolve(const MemberContext::PendingReference& reference,
                          MemberContext& context) {
    try {
        reference.type->assign(reference.slot, context.resolve(reference.segmentKey, reference.id));
    } catch (const FormatError& error) {
        throw FormatError("member \"" + reference.member->name() + "\" of " +
                          reference.set->name() + ": " + error.what());
    }
}

void MemberCodec::forEachReference(Entity* entity, const ReferenceVisitor& visit) {
    const MemberSet& set = entity->metaType()->memberSet();
    for (const MemberSet::WrittenMember& written : set.writtenOrder()) {
        const Member& member = *written.member;
        member.metaType()->forEachReference(member.field(holderOf(entity, set, member)),
                                            member.functions(), visit);
    }
}

void MemberCodec::print(Entity* entity, std::ostream& out, const MemberContext& context) {
    const MemberSet& set = entity->metaType()->memberSet();
    set.forEachMember([&](const Member& member) {
        out << member.name() << " = ";
        member.metaType()->print(member.field(holderOf(entity, set, member)), member.functions(),
                                 out, context);
        out << '\n';
    });
}

bool MemberCodec::printMember(Entity* entity, const std::string& name, std::ostream& out,
                              const MemberContext& context) {
    const MemberSet& set = entity->metaType()->memberSet();
    const Member* member = set.findMember(name);
    if (!member)
        return false;
    member->metaType()->print(member->field(holderOf(entity, set, *member)), member->functions(),
                              out, context);
    return true;
}

} // namespace Kv
