#pragma once

#include "Wyn/Graphics/Attribute.h"

#include <vector>

namespace Wyn::Graphics {

// The attributes a node carries itself, at most one per type and layer.
class NodeAttributes {
public:
    // Adds the attribute, replacing one of the same type and layer.
    void set(const Attribute& attribute);
    // False when there was none to remove.
    bool remove(AttributeType type, int layer = 0);
    const Attribute* find(AttributeType type, int layer = 0) const;
    bool has(AttributeType type, int layer = 0) const { return find(type, layer) != nullptr; }

    const std::vector<Attribute>& list() const { return m_attributes; }
    size_t size() const { return m_attributes.size(); }
    void clear() { m_attributes.clear(); }

private:
    std::vector<Attribute> m_attributes;
};

} // namespace Wyn::Graphics
