#pragma once

// Hand-made member data, for tests that feed the member codec or the document
// reader what a damaged or foreign file could hold.

#include "Kv/Base/ByteWriter.h"

#include <cstdint>
#include <string>

namespace Kv::Tests {

// Member data holding the single member `name` of type `key` with `value`.
inline std::string oneMemberBlob(const std::string& name, const std::string& key,
                                 const std::string& value) {
    ByteWriter out;
    out.write<uint32_t>(1);
    out.writeString(name);
    out.writeString(key);
    out.writeBytes(value);
    return out.take();
}

} // namespace Kv::Tests
