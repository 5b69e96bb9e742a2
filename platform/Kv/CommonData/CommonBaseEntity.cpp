#include "Kv/CommonData/CommonBaseEntity.h"

#include "Kv/CommonData/HostMetaTypes.h"
#include "Kv/DataModel/EntityMetaType.h"

namespace Kv::CommonData {

EntityMetaType& CommonBaseEntity::s_metaType() {
    return HostMetaTypes::commonBaseEntity();
}

CommonBaseEntity::CommonBaseEntity(Entity* parent)
    : ManagedEntity(parent) {
    initializeMemberSetIfNeeded();
}

CommonBaseEntity::CommonBaseEntity(Segment* segment)
    : ManagedEntity(segment) {
    initializeMemberSetIfNeeded();
}

CommonBaseEntity::CommonBaseEntity(Segment* segment, uint64_t id)
    : ManagedEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void CommonBaseEntity::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
}

void* CommonBaseEntity::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : ManagedEntity::queryInterface(id);
}

std::wstring CommonBaseEntity::onToString() const {
    return L"CommonBaseEntity " + std::to_wstring(id());
}

} // namespace Kv::CommonData
