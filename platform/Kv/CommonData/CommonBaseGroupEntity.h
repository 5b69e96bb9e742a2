#pragma once

#include "Kv/CommonData/ManagedGroupEntity.h"

namespace Kv::CommonData {

// The host's ordered group entity: the base of every container and of all
// drawable geometry, which may hold children of its own.
class CommonBaseGroupEntity : public Managed::ManagedGroupEntity {
public:
    static EntityMetaType& s_metaType();

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::CommonData::CommonBaseGroupEntity")

protected:
    explicit CommonBaseGroupEntity(Entity* parent);
    explicit CommonBaseGroupEntity(Segment* segment);
    CommonBaseGroupEntity(Segment* segment, uint64_t id);

    std::wstring onToString() const override;

private:
    void initializeMemberSetIfNeeded();
};

} // namespace Kv::CommonData
