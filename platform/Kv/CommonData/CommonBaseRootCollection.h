#pragma once

#include "Kv/CommonData/ManagedRootCollection.h"

namespace Kv::CommonData {

// The host's root collection class, base of the add-ins' segment roots.
class CommonBaseRootCollection : public Managed::ManagedRootCollection {
public:
    static EntityMetaType& s_metaType();

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::CommonData::CommonBaseRootCollection")

protected:
    CommonBaseRootCollection(Segment* segment, const UniqueString& rootId,
                             EntityMetaType* elementMetaType);
    CommonBaseRootCollection(Segment* segment, uint64_t id);

    std::wstring onToString() const override;

private:
    void initializeMemberSetIfNeeded();
};

} // namespace Kv::CommonData
