#include "Kv/Base/ByteWriter.h"

namespace Kv {

// Wide strings travel as UTF-32 code units so that documents do not depend on
// the platform's wchar_t size.
void ByteWriter::writeWString(const std::wstring& text) {
    write<uint32_t>(static_cast<uint32_t>(text.size()));
    for (wchar_t c : text)
        write<uint32_t>(static_cast<uint32_t>(c));
}

} // namespace Kv
