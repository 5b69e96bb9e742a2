#include "Kv/DataModel/MapMetaType.h"

#include "Kv/DataModel/TemplatizedFunctions.h"

#include <vector>

namespace Kv {

MapMetaType& MapMetaType::instance() {
    static MapMetaType metaType;
    return metaType;
}

std::string MapMetaType::typeKey(const TemplatizedFunctions* fns) const {
    return name() + "<int, " + fns->element->typeKey(nullptr) + ">";
}

void MapMetaType::encode(const void* value, const TemplatizedFunctions* fns, ByteWriter& out,
                         MemberContext& context) const {
    out.write<uint32_t>(static_cast<uint32_t>(fns->size(value)));
    fns->forEach(value, [&](int key, const void* element) {
        out.write<int32_t>(key);
        fns->element->encode(element, nullptr, out, context);
    });
}

void MapMetaType::decode(void* value, const TemplatizedFunctions* fns, ByteReader& in,
                         MemberContext& context) const {
    uint32_t n = in.read<uint32_t>();
    if (n > in.remaining() / sizeof(int32_t))
        throw FormatError("map size exceeds the data");
    fns->clear(value);
    for (uint32_t i = 0; i < n; ++i) {
        int key = in.read<int32_t>();
        fns->element->decode(fns->insert(value, key), nullptr, in, context);
    }
    if (fns->size(value) != n)
        throw FormatError("map holds a key twice");
}

bool MapMetaType::equal(const void* a, const void* b, const TemplatizedFunctions* fns) const {
    if (fns->size(a) != fns->size(b))
        return false;
    std::vector<std::pair<int, const void*>> left, right;
    fns->forEach(a, [&](int k, const void* v) { left.emplace_back(k, v); });
    fns->forEach(b, [&](int k, const void* v) { right.emplace_back(k, v); });
    for (size_t i = 0; i < left.size(); ++i)
        if (left[i].first != right[i].first ||
            !fns->element->equal(left[i].second, right[i].second, nullptr))
            return false;
    return true;
}

void MapMetaType::print(const void* value, const TemplatizedFunctions* fns, std::ostream& out,
                        const MemberContext& context) const {
    out << '{';
    bool first = true;
    fns->forEach(value, [&](int key, const void* element) {
        if (!first)
            out << ", ";
        first = false;
        out << key << ": ";
        fns->element->print(element, nullptr, out, context);
    });
    out << '}';
}

void MapMetaType::forEachReference(const void* value, const TemplatizedFunctions* fns,
                                   const ReferenceVisitor& visit) const {
    fns->forEach(value, [&](int, const void* element) {
        fns->element->forEachReference(element, nullptr, visit);
    });
}

} // namespace Kv
