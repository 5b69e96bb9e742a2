#include "Kv/CommonData/CommonBaseGroupEntity.h"

#include "Kv/CommonData/HostMetaTypes.h"
#include "Kv/DataModel/EntityMetaType.h"

namespace Kv::CommonData {

EntityMetaType& CommonBaseGroupEntity::s_metaType() {
    return HostMetaTypes::commonBaseGroupEntity();
}

CommonBaseGroupEntity::CommonBaseGroupEntity(Entity* parent)
    : ManagedGroupEntity(parent) {
    initializeMemberSetIfNeeded();
}

CommonBaseGroupEntity::CommonBaseGroupEntity(Segment* segment)
    : ManagedGroupEntity(segment) {
    initializeMemberSetIfNeeded();
}

CommonBaseGroupEntity::CommonBaseGroupEntity(Segment* segment, uint64_t id)
    : ManagedGroupEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void CommonBaseGroupEntity::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
}

void* CommonBaseGroupEntity::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : ManagedGroupEntity::queryInterface(id);
}

std::wstring CommonBaseGroupEntity::onToString() const {
    return L"CommonBaseGroupEntity " + std::to_wstring(id()) + L" with " +
           std::to_wstring(childCount()) + L" children";
}

} // namespace Kv::CommonData
