#include "Kv/CommonData/Component.h"

#include "Kv/CommonData/HostMetaTypes.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/Segment.h"

namespace Kv {

EntityMetaType& Component::s_metaType() {
    return CommonData::HostMetaTypes::component();
}

const UniqueString& Component::segmentRootId() {
    static const UniqueString id("Component");
    return id;
}

StrongRefCreator<Component> Component::make(Segment* segment) {
    if (!segment)
        return {};
    StrongRef<Component> component(new Component(segment));
    segment->setRootEntity(segmentRootId(), component);
    component->postCreation(kTransactDo);
    return StrongRefCreator<Component>(component);
}

StrongRef<Component> Component::find(Segment* segment) {
    if (!segment)
        return {};
    StrongRef<Entity> root = segment->rootEntity(segmentRootId());
    return StrongRef<Component>(::Kv::queryInterface<Component>(root.get()));
}

Component::Component(Segment* segment)
    : CommonBaseGroupEntity(segment) {
    initializeMemberSetIfNeeded();
}

Component::Component(Segment* segment, uint64_t id)
    : CommonBaseGroupEntity(segment, id) {
    initializeMemberSetIfNeeded();
}

void Component::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
}

void* Component::queryInterface(const UniqueString& id) {
    if (id == interfaceId())
        return this;
    if (id == IComponent::interfaceId())
        return static_cast<IComponent*>(this);
    return CommonBaseGroupEntity::queryInterface(id);
}

std::wstring Component::onToString() const {
    return L"Component with " + std::to_wstring(childCount()) + L" collections";
}

} // namespace Kv
