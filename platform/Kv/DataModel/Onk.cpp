#include "Kv/DataModel/Onk.h"

namespace Kv {

Onk::Onk(std::wstring name, std::wstring representation)
    : m_name(std::move(name))
    , m_representation(std::move(representation)) {}

bool Onk::isEmpty() const {
    return m_name.empty() && m_representation.empty();
}

bool Onk::operator==(const Onk& other) const {
    return m_name == other.m_name && m_representation == other.m_representation;
}

} // namespace Kv
