#pragma once

#include "Kv/Base/ByteReader.h"
#include "Kv/Base/ByteWriter.h"
#include "Kv/DataModel/MemberContext.h"

#include <functional>
#include <ostream>
#include <string>

namespace Kv {

class Entity;
struct TemplatizedFunctions;

// Told of an entity a value refers to, and whether the reference owns it.
using ReferenceVisitor = std::function<void(Entity* target, bool owning)>;

// Knows how to encode, decode, compare, copy and print values of one member
// type. Instances are global; containers find theirs by name ("Vector", "Map").
class MemberMetaType {
public:
    virtual ~MemberMetaType();
    MemberMetaType(const MemberMetaType&) = delete;
    MemberMetaType& operator=(const MemberMetaType&) = delete;

    const std::string& name() const { return m_name; }

    // The persisted type key of a value: the meta type's name, refined by the
    // element type for containers. Decoding checks it against the stored key.
    virtual std::string typeKey(const TemplatizedFunctions* /*fns*/) const { return m_name; }

    virtual void encode(const void* value, const TemplatizedFunctions* fns, ByteWriter& out,
                        MemberContext& context) const = 0;
    virtual void decode(void* value, const TemplatizedFunctions* fns, ByteReader& in,
                        MemberContext& context) const = 0;
    virtual bool equal(const void* a, const void* b, const TemplatizedFunctions* fns) const = 0;
    virtual void print(const void* value, const TemplatizedFunctions* fns, std::ostream& out,
                       const MemberContext& context) const = 0;
    // Calls `visit` for every non-null reference in the value, in the order
    // encode writes them; plain values have none. Far cheaper than encoding
    // when only the references matter.
    virtual void forEachReference(const void* /*value*/, const TemplatizedFunctions* /*fns*/,
                                  const ReferenceVisitor& /*visit*/) const {}

    // The meta type registered under `name`, or null.
    static MemberMetaType* find(const std::string& name);

protected:
    // Registers the meta type under `name` when `registered` is true. Value
    // meta types are many (one per type) and are reached through templates.
    MemberMetaType(std::string name, bool registered);

private:
    std::string m_name;
    bool m_registered;
};

} // namespace Kv
