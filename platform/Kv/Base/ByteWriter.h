#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace Kv {

// Appends little-endian binary values to a byte string. Member values, undo
// snapshots and document blobs are all written with it.
class ByteWriter {
public:
    template <class T> void write(T value) {
        static_assert(std::is_arithmetic_v<T>, "write() takes numbers");
        char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        m_data.append(bytes, sizeof(T));
    }
    void writeBytes(std::string_view bytes) {
        write<uint32_t>(static_cast<uint32_t>(bytes.size()));
        m_data.append(bytes.data(), bytes.size());
    }
    void writeString(std::string_view text) { writeBytes(text); }
    void writeWString(const std::wstring& text);

    // Reserves room for a size that is only known later; see patchSize.
    size_t beginSized() {
        write<uint32_t>(0);
        return m_data.size();
    }
    void endSized(size_t start) {
        uint32_t size = static_cast<uint32_t>(m_data.size() - start);
        std::memcpy(&m_data[start - sizeof(uint32_t)], &size, sizeof(size));
    }

    // Makes room for `size` bytes in all, so that writing that much allocates once.
    void reserve(size_t size) { m_data.reserve(size); }

    const std::string& data() const { return m_data; }
    std::string take() { return std::move(m_data); }

private:
    std::string m_data;
};

} // namespace Kv
