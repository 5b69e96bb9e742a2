#include "Kv/DataModel/MemberCodec.h"

#include "Kv/Base/ByteReader.h"
#include "Kv/Base/ByteWriter.h"
#include "Kv/DataModel/Entity.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MemberMetaType.h"
#include "Kv/DataModel/MemberSet.h"
#include "Kv/DataModel/Segment.h"

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
    out.write<uint32_t>(static_cast<uint32_t>(set.memberCount()));
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
    for (uint32_t i = 0; i < count; ++i) {
        std::string name, key;
        std::string_view value;
        try {
            name = in.readString();
            key = in.readString();
            value = in.readBytes();
        } catch (const FormatError& error) {
            // A blob cut short is reported at the member it cuts into.
            std::string which =
                name.empty() ? "member " + std::to_string(i + 1) : "member \"" + name + "\"";
            throw FormatError(which + " of " + set.name() + ": " + error.what());
        }
        const Member* member = set.findMember(name);
        if (!member)
            throw FormatError("class " + set.name() + " has no member \"" + name + "\"");
        if (member->typeKey() != key)
            throw FormatError("member \"" + name + "\" of " + set.name() + " holds a " + key +
                              ", expected a " + member->typeKey());
        ByteReader valueIn(value);
        try {
            void* holder = const_cast<void*>(holderOf(entity, set, *member));
            member->metaType()->decode(member->field(holder), member->functions(), valueIn,
                                       context);
            valueIn.expectEnd();
        } catch (const FormatError& error) {
            throw FormatError("member \"" + name + "\" of " + set.name() + ": " + error.what());
        }
    }
    in.expectEnd();
}

void MemberCodec::print(Entity* entity, std::ostream& out, const MemberContext& context) {
    const MemberSet& set = entity->metaType()->memberSet();
    set.forEachMember([&](const Member& member) {
        out << member.name() << " = ";
        member.metaType()->print(member.field(holderOf(entity, set, member)),
                                 member.functions(), out, context);
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
