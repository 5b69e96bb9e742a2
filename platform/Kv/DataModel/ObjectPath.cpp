#include "Kv/DataModel/ObjectPath.h"

#include <algorithm>
#include <stdexcept>

namespace Kv {

ObjectPath ObjectPath::toEntity(Entity* entity) {
    ObjectPath path;
    for (Entity* e = entity; e; e = e->parentEntity())
        path.m_elements.emplace_back(e);
    std::reverse(path.m_elements.begin(), path.m_elements.end());
    return path;
}

void ObjectPath::push(Entity* entity) {
    if (!entity)
        throw std::invalid_argument("an object path cannot hold a null entity");
    m_elements.emplace_back(entity);
    m_qualifier = 0;
}

bool ObjectPath::contains(const Entity* entity) const {
    return std::any_of(m_elements.begin(), m_elements.end(),
                       [entity](const StrongRef<Entity>& e) { return e.get() == entity; });
}

void ObjectPath::pop_to(const Entity* entity) {
    auto it = std::find_if(m_elements.begin(), m_elements.end(),
                           [entity](const StrongRef<Entity>& e) { return e.get() == entity; });
    if (it == m_elements.end() || it + 1 == m_elements.end())
        return;
    m_elements.erase(it + 1, m_elements.end());
    m_qualifier = 0;
}

bool ObjectPath::operator==(const ObjectPath& other) const {
    return m_qualifier == other.m_qualifier && m_elements == other.m_elements;
}

} // namespace Kv
