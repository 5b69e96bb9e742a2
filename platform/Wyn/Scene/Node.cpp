#include "Wyn/Scene/Node.h"

#include <algorithm>

namespace Wyn::Scene {

Node::~Node() = default;

Node* Node::addChild(std::unique_ptr<Node> child) {
    child->m_parent = this;
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

std::unique_ptr<Node> Node::removeChild(const Node* child) {
    auto it = std::find_if(m_children.begin(), m_children.end(),
                           [child](const std::unique_ptr<Node>& n) { return n.get() == child; });
    if (it == m_children.end())
        return nullptr;
    std::unique_ptr<Node> detached = std::move(*it);
    m_children.erase(it);
    detached->m_parent = nullptr;
    return detached;
}

} // namespace Wyn::Scene
