#include "Kv/Base/ByteReader.h"

namespace Kv {

std::wstring ByteReader::readWString() {
    uint32_t size = read<uint32_t>();
    need(size_t(size) * 4);
    std::wstring text;
    text.reserve(size);
    for (uint32_t i = 0; i < size; ++i) {
        uint32_t c = read<uint32_t>();
        if (c > 0x10FFFF)
            throw FormatError("invalid character in a wide string");
        text.push_back(static_cast<wchar_t>(c));
    }
    return text;
}

} // namespace Kv
