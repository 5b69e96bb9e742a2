#pragma once

#include "Kv/CommonData/ManagedEntity.h"

namespace Kv {
class EntityMetaType;
}

namespace Kv::CommonData {

// The host's base of every entity of a component's common data.
class CommonBaseEntity : public Managed::ManagedEntity {
public:
    static EntityMetaType& s_metaType();

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::CommonData::CommonBaseEntity")

protected:
    explicit CommonBaseEntity(Entity* parent);
    explicit CommonBaseEntity(Segment* segment);
    CommonBaseEntity(Segment* segment, uint64_t id);

    std::wstring onToString() const override;

private:
    void initializeMemberSetIfNeeded();
};

} // namespace Kv::CommonData
