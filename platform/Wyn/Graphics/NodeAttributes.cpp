#include "Wyn/Graphics/NodeAttributes.h"

#include <algorithm>

namespace Wyn::Graphics {

void NodeAttributes::set(const Attribute& attribute) {
    for (Attribute& held : m_attributes)
        if (held.type() == attribute.type() && held.layer() == attribute.layer()) {
            held = attribute;
            return;
        }
    m_attributes.push_back(attribute);
}

bool NodeAttributes::remove(AttributeType type, int layer) {
    auto it = std::find_if(m_attributes.begin(), m_attributes.end(), [&](const Attribute& a) {
        return a.type() == type && a.layer() == layer;
    });
    if (it == m_attributes.end())
        return false;
    m_attributes.erase(it);
    return true;
}

const Attribute* NodeAttributes::find(AttributeType type, int layer) const {
    for (const Attribute& held : m_attributes)
        if (held.type() == type && held.layer() == layer)
            return &held;
    return nullptr;
}

} // namespace Wyn::Graphics
