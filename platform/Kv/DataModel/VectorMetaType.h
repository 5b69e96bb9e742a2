#pragma once

#include "Kv/DataModel/MemberMetaType.h"

namespace Kv {

// The generic member meta type of std::vector members, found by the name
// "Vector"; the element type comes with each member's TemplatizedFunctions.
class VectorMetaType final : public MemberMetaType {
public:
    static VectorMetaType& instance();

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
    VectorMetaType()
        : MemberMetaType("Vector", true) {}
};

} // namespace Kv
