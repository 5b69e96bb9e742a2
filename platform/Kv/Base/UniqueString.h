#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace Kv {

// An interned name: equal names share one stored string, so comparing two
// UniqueStrings is a pointer compare. Interned strings live until exit.
class UniqueString {
public:
    UniqueString() = default;
    explicit UniqueString(std::string_view name);

    // The interned string for `name`; when it is not interned yet, interns it
    // if `create` is true and otherwise returns a null UniqueString.
    static UniqueString find(std::string_view name, bool create);

    bool isNull() const { return m_text == nullptr; }
    const std::string& str() const;
    const char* c_str() const { return str().c_str(); }

    bool operator==(const UniqueString& other) const { return m_text == other.m_text; }
    bool operator!=(const UniqueString& other) const { return m_text != other.m_text; }
    bool operator<(const UniqueString& other) const { return m_text < other.m_text; }
    std::size_t hash() const { return std::hash<const void*>()(m_text); }

private:
    explicit UniqueString(const std::string* text)
        : m_text(text) {}
    const std::string* m_text = nullptr;
};

inline std::ostream& operator<<(std::ostream& out, const UniqueString& s) {
    return out << s.str();
}

} // namespace Kv

template <> struct std::hash<Kv::UniqueString> {
    std::size_t operator()(const Kv::UniqueString& s) const { return s.hash(); }
};

// Declares the static interface identifier of a class or interface.
#define KV_INTERFACE_ID(Name)                                                                      \
    static const ::Kv::UniqueString& interfaceId() {                                               \
        static const ::Kv::UniqueString id(Name);                                                  \
        return id;                                                                                 \
    }
