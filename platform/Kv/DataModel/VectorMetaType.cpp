#include "Kv/DataModel/VectorMetaType.h"

#include "Kv/DataModel/TemplatizedFunctions.h"

namespace Kv {

VectorMetaType& VectorMetaType::instance() {
    static VectorMetaType metaType;
    return metaType;
}

std::string VectorMetaType::typeKey(const TemplatizedFunctions* fns) const {
    return name() + "<" + fns->element->typeKey(nullptr) + ">";
}

void VectorMetaType::encode(const void* value, const TemplatizedFunctions* fns, ByteWriter& out,
                            MemberContext& context) const {
    size_t n = fns->size(value);
    out.write<uint32_t>(static_cast<uint32_t>(n));
    for (size_t i = 0; i < n; ++i)
        fns->element->encode(fns->constAt(value, i), nullptr, out, context);
}

void VectorMetaType::decode(void* value, const TemplatizedFunctions* fns, ByteReader& in,
                            MemberContext& context) const {
    uint32_t n = in.read<uint32_t>();
    if (n > in.remaining()) // every element takes at least one byte
        throw FormatError("vector size exceeds the data");
    fns->resize(value, n);
    for (size_t i = 0; i < n; ++i)
        fns->element->decode(fns->at(value, i), nullptr, in, context);
}

bool VectorMetaType::equal(const void* a, const void* b, const TemplatizedFunctions* fns) const {
    size_t n = fns->size(a);
    if (n != fns->size(b))
        return false;
    for (size_t i = 0; i < n; ++i)
        if (!fns->element->equal(fns->constAt(a, i), fns->constAt(b, i), nullptr))
            return false;
    return true;
}

void VectorMetaType::print(const void* value, const TemplatizedFunctions* fns, std::ostream& out,
                           const MemberContext& context) const {
    out << '[';
    for (size_t i = 0, n = fns->size(value); i < n; ++i) {
        if (i)
            out << ", ";
        fns->element->print(fns->constAt(value, i), nullptr, out, context);
    }
    out << ']';
}

void VectorMetaType::forEachReference(const void* value, const TemplatizedFunctions* fns,
                                      const ReferenceVisitor& visit) const {
    for (size_t i = 0, n = fns->size(value); i < n; ++i)
        fns->element->forEachReference(fns->constAt(value, i), nullptr, visit);
}

} // namespace Kv
