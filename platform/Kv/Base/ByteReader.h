#pragma once

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

namespace Kv {

// Thrown when binary data ends early or holds an impossible value.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads what a ByteWriter wrote. Every read is bounds-checked, so truncated or
// corrupted data gives a FormatError and never reads past the end.
class ByteReader {
public:
    explicit ByteReader(std::string_view data)
        : m_data(data) {}

    template <class T> T read() {
        static_assert(std::is_arithmetic_v<T>, "read() gives numbers");
        need(sizeof(T));
        T value;
        std::memcpy(&value, m_data.data() + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }
    std::string_view readBytes() {
        uint32_t size = read<uint32_t>();
        need(size);
        std::string_view bytes = m_data.substr(m_pos, size);
        m_pos += size;
        return bytes;
    }
    std::string readString() { return std::string(readBytes()); }
    std::wstring readWString();

    bool atEnd() const { return m_pos == m_data.size(); }
    size_t remaining() const { return m_data.size() - m_pos; }
    void expectEnd() const {
        if (!atEnd())
            throw FormatError("unexpected bytes after the value");
    }

private:
    void need(size_t n) const {
        if (n > m_data.size() - m_pos)
            throw FormatError("data ends early");
    }
    std::string_view m_data;
    size_t m_pos = 0;
};

} // namespace Kv
