#pragma once

#include <string>

namespace Kv {

// Object-name key: how scripts name an object, as its user-visible name and
// the text that finds it again from its parent.
class Onk {
public:
    Onk() = default;
    Onk(std::wstring name, std::wstring representation);

    const std::wstring& name() const { return m_name; }
    void setName(const std::wstring& name) { m_name = name; }
    const std::wstring& representation() const { return m_representation; }
    void setRepresentation(const std::wstring& representation) {
        m_representation = representation;
    }

    // A key with neither a name nor a representation names nothing.
    bool isEmpty() const;

    bool operator==(const Onk& other) const;
    bool operator!=(const Onk& other) const { return !(*this == other); }

private:
    std::wstring m_name;
    std::wstring m_representation;
};

} // namespace Kv
