#include "Kv/CommonData/HostMetaTypes.h"

#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/EntityMetaTypeOf.h"

namespace Kv::CommonData {

EntityMetaType& HostMetaTypes::commonBaseEntity() {
    static EntityMetaType metaType(hostAddInId(), "Kv::CommonData::CommonBaseEntity",
                                   "CommonBaseEntityMetaType", 0, "", EntityMetaType::kAbstract);
    return metaType;
}

EntityMetaType& HostMetaTypes::commonBaseGroupEntity() {
    static EntityMetaType metaType(hostAddInId(), "Kv::CommonData::CommonBaseGroupEntity",
                                   "CommonBaseGroupEntityMetaType", 0,
                                   "Kv::CommonData::CommonBaseEntity", EntityMetaType::kAbstract);
    return metaType;
}

EntityMetaType& HostMetaTypes::commonBaseRootCollection() {
    static EntityMetaType metaType(hostAddInId(), "Kv::CommonData::CommonBaseRootCollection",
                                   "CommonBaseRootCollectionMetaType", 0,
                                   "Kv::CommonData::CommonBaseEntity", EntityMetaType::kAbstract);
    return metaType;
}

EntityMetaType& HostMetaTypes::component() {
    static EntityMetaTypeOf<Component, false> metaType(
        hostAddInId(), "Kv::Component", "ComponentMetaType", 0,
        "Kv::CommonData::CommonBaseGroupEntity", EntityMetaType::kConcrete);
    return metaType;
}

namespace {

// Register in base-first order as soon as the library is loaded.
const bool registered = [] {
    HostMetaTypes::commonBaseEntity();
    HostMetaTypes::commonBaseGroupEntity();
    HostMetaTypes::commonBaseRootCollection();
    HostMetaTypes::component();
    return true;
}();

} // namespace

} // namespace Kv::CommonData
