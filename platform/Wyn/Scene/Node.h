#pragma once

#include <memory>
#include <vector>

namespace Wyn::Scene {

// A node of the retained scene graph: it owns its children and carries the
// flags every node kind shares.
class Node {
public:
    Node() = default;
    virtual ~Node();
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    Node* parent() const { return m_parent; }
    const std::vector<std::unique_ptr<Node>>& children() const { return m_children; }
    Node* addChild(std::unique_ptr<Node> child);
    // Detaches `child` and hands it back; null when it is not a child here.
    std::unique_ptr<Node> removeChild(const Node* child);

    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

private:
    Node* m_parent = nullptr;
    std::vector<std::unique_ptr<Node>> m_children;
    bool m_visible = true;
};

} // namespace Wyn::Scene
