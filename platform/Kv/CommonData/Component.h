#pragma once

#include "Kv/Base/StrongRef.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/CommonData/IComponent.h"

namespace Kv {

template <class T, bool OwnMembers> class EntityMetaTypeOf;

// The top entity of a document: a group whose children are the collections
// the add-ins contribute (sketches, work geometry, 2D sketches, ...).
class Component : public CommonData::CommonBaseGroupEntity, public IComponent {
public:
    static EntityMetaType& s_metaType();
    // The segment's component, registered as its root entity "Component".
    static StrongRefCreator<Component> make(Segment* segment);
    static StrongRef<Component> find(Segment* segment);
    static const UniqueString& segmentRootId();

    Entity* componentEntity() override { return this; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Component")

protected:
    Component(Segment* segment, uint64_t id);
    EntityMetaType* onMetaType() const override { return &s_metaType(); }
    std::wstring onToString() const override;

private:
    friend class EntityMetaTypeOf<Component, false>;
    explicit Component(Segment* segment);
    void initializeMemberSetIfNeeded();
};

} // namespace Kv
