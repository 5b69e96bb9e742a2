#pragma once

namespace Kv {
class EntityMetaType;
}

namespace Kv::CommonData {

// The meta types of the host's own entity classes. They are registered when
// the host library loads, before any add-in, because add-in classes name them
// as their bases.
class HostMetaTypes {
public:
    // The add-in identifier the host's own meta types carry.
    static const char* hostAddInId() { return "Kv"; }

    static EntityMetaType& commonBaseEntity();
    static EntityMetaType& commonBaseGroupEntity();
    static EntityMetaType& commonBaseRootCollection();
    static EntityMetaType& component();
};

} // namespace Kv::CommonData
