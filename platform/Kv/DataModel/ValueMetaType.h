#pragma once

#include "Kv/DataModel/MemberMetaType.h"
#include "Kv/DataModel/ValueCodec.h"

namespace Kv {

// Member meta type of a plain value type: intrinsic values, colours and the
// kernel's value classes. One instance per type.
template <class T> class ValueMetaType final : public MemberMetaType {
public:
    static ValueMetaType& instance() {
        static ValueMetaType metaType;
        return metaType;
    }

    void encode(const void* value, const TemplatizedFunctions*, ByteWriter& out,
                MemberContext&) const override {
        ValueCodec<T>::encode(*static_cast<const T*>(value), out);
    }
    void decode(void* value, const TemplatizedFunctions*, ByteReader& in,
                MemberContext&) const override {
        *static_cast<T*>(value) = ValueCodec<T>::decode(in);
    }
    bool equal(const void* a, const void* b, const TemplatizedFunctions*) const override {
        return *static_cast<const T*>(a) == *static_cast<const T*>(b);
    }
    void print(const void* value, const TemplatizedFunctions*, std::ostream& out,
               const MemberContext&) const override {
        ValueCodec<T>::print(*static_cast<const T*>(value), out);
    }

private:
    ValueMetaType()
        : MemberMetaType(ValueCodec<T>::key(), false) {}
};

// The meta type of bool, int, unsigned int, float, double and wide strings.
class IntrinsicMetaType {
public:
    template <class T> static MemberMetaType* get() {
        static_assert(std::is_arithmetic_v<T> || std::is_same_v<T, std::wstring>,
                      "intrinsic members are numbers, bools and wide strings");
        return &ValueMetaType<T>::instance();
    }
};

// The meta type of Kv::Color members.
class ColorValueMetaType {
public:
    static MemberMetaType* get() { return &ValueMetaType<Color>::instance(); }
};

} // namespace Kv
