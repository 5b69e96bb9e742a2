#pragma once

#include "Kv/DataModel/MemberMetaType.h"

namespace Kv {

// The generic member meta type of std::map<int, V> members, found by the name
// "Map"; the value type comes with each member's TemplatizedFunctions.
class MapMetaType final : public MemberMetaType {
public:
    static MapMetaType& instance();

    std::string typeKey(const TemplatizedFunctions* fns) const override;
    void encode(const void* value, const TemplatizedFunctions* fns, ByteWriter& out,
                MemberContext& context) const override;
    void decode(void* value, const TemplatizedFunctions* fns, ByteReader& in,
                MemberContext& context) const override;
    bool equal(const void* a, const void* b, const TemplatizedFunctions* fns) const override;
    void print(const void* value, const TemplatizedFunctions* fns, std::ostream& out,
               const MemberContext& context) const override;
    void forEachReference(const void* value, const TemplatizedFunctions* fns,
                          const ReferenceVisitor& visit) const override;

private:
    MapMetaType()
        : MemberMetaType("Map", true) {}
};

} // namespace Kv
