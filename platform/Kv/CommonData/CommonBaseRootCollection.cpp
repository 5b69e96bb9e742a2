#include "Kv/CommonData/CommonBaseRootCollection.h"

#include "Kv/CommonData/HostMetaTypes.h"
#include "Kv/DataModel/EntityMetaType.h"

namespace Kv::CommonData {

EntityMetaType& CommonBaseRootCollection::s_metaType() {
    return HostMetaTypes::commonBaseRootCollection();
}

CommonBaseRootCollection::CommonBaseRootCollection(Segment* segment, const UniqueString& rootId,
                                                   EntityMetaType* elementMetaType)
    : ManagedRootCollection(segment, rootId, elementMetaType) {
    initializeMemberSetIfNeeded();
}

CommonBaseRootCollection::CommonBaseRootCollection(Segment* segment, uint64_t id)
    : ManagedRootCollection(segment, id) {
    initializeMemberSetIfNeeded();
}

void CommonBaseRootCollection::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
}

void* CommonBaseRootCollection::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : ManagedRootCollection::queryInterface(id);
}

std::wstring CommonBaseRootCollection::onToString() const {
    return L"CommonBaseRootCollection " + std::to_wstring(id()) + L" with " +
           std::to_wstring(elementCount()) + L" elements";
}

} // namespace Kv::CommonData
