#include "Kv/DataModel/RefMetaType.h"

#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/Segment.h"

namespace Kv {

void RefMetaType::print(const void* value, const TemplatizedFunctions*, std::ostream& out,
                        const MemberContext& context) const {
    Entity* entity = target(value);
    if (!entity)
        out << "null";
    else if (context.pathOf)
        out << context.pathOf(entity);
    else
        out << '#' << entity->id();
}

void RefMetaType::encodeTarget(Entity* target, bool owning, ByteWriter& out,
                               MemberContext& context) const {
    if (target && context.isWritten && !context.isWritten(target))
        target = nullptr;
    if (!target) {
        out.write<uint32_t>(0);
        out.write<uint64_t>(0);
        return;
    }
    out.write<uint32_t>(target->segment()->key());
    out.write<uint64_t>(target->id());
    if (context.keepAlive)
        context.keepAlive->emplace_back(target);
    if (context.onReference)
        context.onReference(target, owning);
}

Entity* RefMetaType::decodeTarget(ByteReader& in, void* value, MemberContext& context) const {
    const uint32_t segmentKey = in.read<uint32_t>();
    const uint64_t id = in.read<uint64_t>();
    if (!context.pending || id == 0)
        return context.resolve(segmentKey, id);
    if (Entity* found = context.asset ? context.asset->findEntity(segmentKey, id) : nullptr)
        return found;
    MemberContext::PendingReference pending = context.reading;
    pending.type = this;
    pending.slot = value;
    pending.segmentKey = segmentKey;
    pending.id = id;
    context.pending->push_back(pending);
    return nullptr;
}

void RefMetaType::wrongClass(const Entity* found, const std::string& expected) {
    throw FormatError("a reference names entity " + std::to_string(found->id()) + " of class " +
                      found->metaType()->name() + ", not of the referenced class " + expected);
}

} // namespace Kv
