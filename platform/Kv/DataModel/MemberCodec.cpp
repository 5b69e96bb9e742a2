#include "Kv/DataModel/MemberCodec.h"

#include "Kv/Base/ByteReader.h"
#include "Kv/Base/ByteWriter.h"
#include "Kv/DataModel/Entity.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MemberMetaType.h"
#include "Kv/DataModel/MemberSet.h"
#include "Kv/DataModel/Segment.h"

#include <array>
#include <deque>

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

// The members of a set in the order encode writes them, base classes first,
// so that data written through the same set finds each member without a
// lookup by name. Data in another order is read as well, only slower.
class WrittenOrder {
public:
    explicit WrittenOrder(const MemberSet& set) {
        size_t depth = 0;
        for (const MemberSet* s = &set; s; s = s->base())
            ++depth;
        if (depth > m_sets.size())
            return; // no expectations: every member is looked up by name
        m_count = depth;
        for (const MemberSet* s = &set; s; s = s->base())
            m_sets[--depth] = s;
    }

    // The member expected next when it is called `name`, else null.
    const Member* next(std::string_view name) {
        while (m_member == m_end) {
            if (m_set == m_count)
                return nullptr;
            m_member = m_sets[m_set]->ownMembers().begin();
            m_end = m_sets[m_set++]->ownMembers().end();
        }
        if (m_member->name() != name)
            return nullptr;
        return &*m_member++;
    }

private:
    std::array<const MemberSet*, 16> m_sets{};
    size_t m_count = 0;
    size_t m_set = 0;
    std::deque<Member>::const_iterator m_member{};
    std::deque<Member>::const_iterator m_end{};
};

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
    const size_t count = set.memberCount();
    out.reserve(count * 48); // names, type keys and small values, as most members are
    out.write<uint32_t>(static_cast<uint32_t>(count));
    set.forEachMember([&](const Member& member) {
        out.writeString(member.name());
        out.writeString(member.typeKey());
        const void* holder = holderOf(entity, set, member);
        size_t start = out.beginSized();
        member.metaType()->encode(member.field(holder), member.functions(), out, context);
        out.endSized(start);
    });
    return out.take();
}

void MemberCodec::decode(Entity* entity, std::string_view blob, MemberContext& context) {
    decode(entity, readSet(entity), blob, context);
}

void MemberCodec::decode(Entity* entity, const MemberSet& set, std::string_view blob,
                         MemberContext& context) {
    ByteReader in(blob);
    uint32_t count = in.read<uint32_t>();
    WrittenOrder order(set);
    for (uint32_t i = 0; i < count; ++i) {
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
        const Member* member = order.next(name);
        if (!member)
            member = set.findMember(std::string(name));
        if (!member)
            throw FormatError("class " + set.name() + " has no member \"" + std::string(name) +
                              "\"");
        if (member->typeKey() != key)
            throw FormatError("member \"" + member->name() + "\" of " + set.name() + " holds a " +
                              std::string(key) + ", expected a " + member->typeKey());
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

void MemberCodec::forEachReference(Entity* entity, const ReferenceVisitor& visit) {
    const MemberSet& set = entity->metaType()->memberSet();
    set.forEachMember([&](const Member& member) {
        member.metaType()->forEachReference(member.field(holderOf(entity, set, member)),
                                            member.functions(), visit);
    });
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
