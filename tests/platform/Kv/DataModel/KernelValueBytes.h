#pragma once

// Kernel values through their member meta types: the bytes a document stores
// for a value, the value read back from such bytes, and its printed form.

#include "Kv/DataModel/ZkGeValueMetaType.h"

#include <sstream>
#include <string>

namespace Kv::Tests {

template <class T> std::string encoded(const T& value) {
    ByteWriter out;
    MemberContext context;
    ZkGeValueMetaType::get<T>()->encode(&value, nullptr, out, context);
    return out.take();
}

// Throws FormatError when `bytes` are not exactly one valid value.
template <class T> T decoded(const std::string& bytes) {
    ByteReader in(bytes);
    MemberContext context;
    T value;
    ZkGeValueMetaType::get<T>()->decode(&value, nullptr, in, context);
    in.expectEnd();
    return value;
}

template <class T> T readBack(const T& value) {
    return decoded<T>(encoded(value));
}

template <class T> std::string printed(const T& value) {
    std::ostringstream out;
    ZkGeValueMetaType::get<T>()->print(&value, nullptr, out, MemberContext());
    return out.str();
}

} // namespace Kv::Tests
