#include "Wyn/Graphics/ARenderNode.h"

#include <stdexcept>
#include <unordered_set>

namespace Wyn::Graphics {

ARenderNode::~ARenderNode() {
    for (auto& child : m_children)
        child->m_parent = nullptr;
}

const char* ARenderNode::kindName(NodeKind kind) {
    switch (kind) {
    case NodeKind::Group:
        return "group node";
    case NodeKind::Geometry:
        return "geometry node";
    case NodeKind::LodGeometry:
        return "level-of-detail geometry node";
    case NodeKind::PolyLine:
        return "polyline node";
    case NodeKind::CircleArc:
        return "circle-arc node";
    case NodeKind::EllipseArc:
        return "ellipse-arc node";
    case NodeKind::NurbsCurve:
        return "NURBS-curve node";
    case NodeKind::Text:
        return "text node";
    }
    return "node";
}

void ARenderNode::addChild(ARenderNode* child) {
    if (!child)
        throw std::invalid_argument("cannot add a null child to a " +
                                    std::string(kindName(kind())));
    if (child == this || child->isAncestorOf(this))
        throw std::invalid_argument("adding the " + std::string(kindName(child->kind())) +
                                    " would make the scene graph a cycle");
    if (child->m_parent == this)
        return;
    Objects::Ref<ARenderNode> keep(child); // the old parent may hold the last reference
    if (child->m_parent)
        child->m_parent->removeChild(child);
    child->m_parent = this;
    m_children.push_back(std::move(keep));
}

bool ARenderNode::removeChild(ARenderNode* child) {
    const size_t index = indexOf(child);
    if (index == m_children.size())
        return false;
    child->m_parent = nullptr;
    m_children.erase(m_children.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void ARenderNode::removeChildren(const std::vector<ARenderNode*>& children) {
    std::unordered_set<const ARenderNode*> leaving;
    for (ARenderNode* child : children)
        if (child && child->m_parent == this)
            leaving.insert(child);
    if (leaving.empty())
        return;
    std::vector<Objects::Ref<ARenderNode>> staying;
    staying.reserve(m_children.size() - leaving.size());
    std::vector<Objects::Ref<ARenderNode>> gone;
    for (auto& child : m_children) {
        if (leaving.count(child.get())) {
            child->m_parent = nullptr;
            gone.push_back(std::move(child));
        } else {
            staying.push_back(std::move(child));
        }
    }
    m_children.swap(staying);
}

void ARenderNode::removeAllChildren() {
    std::vector<Objects::Ref<ARenderNode>> children;
    children.swap(m_children);
    for (auto& child : children)
        child->m_parent = nullptr;
}

size_t ARenderNode::indexOf(const ARenderNode* child) const {
    for (size_t i = 0; i < m_children.size(); ++i)
        if (m_children[i].get() == child)
            return i;
    return m_children.size();
}

bool ARenderNode::isAncestorOf(const ARenderNode* node) const {
    for (const ARenderNode* p = node ? node->m_parent : nullptr; p; p = p->m_parent)
        if (p == this)
            return true;
    return false;
}

bool ARenderNode::isVisible() const {
    const Attribute* a = m_attributes.find(AttributeType::Visibility);
    return !a || a->isVisible();
}

ZkGeMatrix3d ARenderNode::transform() const {
    const Attribute* a = m_attributes.find(AttributeType::Transform);
    return a ? a->matrix() : ZkGeMatrix3d::kIdentity;
}

} // namespace Wyn::Graphics
