#pragma once

#include "Wyn/Graphics/NodeAttributes.h"
#include "Wyn/Graphics/NodeClient.h"
#include "Wyn/Objects/BBox.h"
#include "Wyn/Objects/Counted.h"
#include "Wyn/Objects/Ref.h"

#include <vector>

namespace Wyn::Graphics {

enum class NodeKind {
    Group,
    Geometry,
    LodGeometry,
    PolyLine,
    CircleArc,
    EllipseArc,
    NurbsCurve,
    Text,
};

// A node of the retained scene graph. Every kind can hold children (a text
// node holds placeholder outlines, a curve's group holds its comb); a node has
// at most one parent. Nodes are counted, so the graph, the host and the
// objects that made them can all keep one.
class ARenderNode : public Objects::Counted {
public:
    virtual NodeKind kind() const = 0;
    static const char* kindName(NodeKind kind);

    // Whom the node was made for; null once the host has let go of it.
    NodeClient* source() const { return m_source; }
    void source(NodeClient* source) { m_source = source; }

    ARenderNode* parent() const { return m_parent; }
    const std::vector<Objects::Ref<ARenderNode>>& children() const { return m_children; }
    // Appends `child`, taking it from its old parent. Adding a node that is
    // already a child here keeps it where it is. Throws std::invalid_argument
    // for a null child or one that would make a cycle.
    void addChild(ARenderNode* child);
    bool removeChild(ARenderNode* child);
    // Takes out those of `children` that are children here, in one pass over
    // the children, however many there are.
    void removeChildren(const std::vector<ARenderNode*>& children);
    void removeAllChildren();
    // Position among the children, or children().size() when not a child.
    size_t indexOf(const ARenderNode* child) const;
    bool isAncestorOf(const ARenderNode* node) const;

    NodeAttributes& attributes() { return m_attributes; }
    const NodeAttributes& attributes() const { return m_attributes; }
    // The node's own visibility (layer 0); ancestors may still hide it.
    bool isVisible() const;
    // The node's own transform (layer 0), the identity when it has none.
    ZkGeMatrix3d transform() const;

    // A number the host files the node under (sketch content, work geometry).
    unsigned clientType() const { return m_clientType; }
    void clientType(unsigned type) { m_clientType = type; }
    // Free-form flags kept for the host.
    unsigned nodeFlags() const { return m_flags; }
    void nodeFlags(unsigned flags, bool on) {
        m_flags = on ? (m_flags | flags) : (m_flags & ~flags);
    }

    // The box the host states for the node's own geometry, in node coordinates;
    // empty until stated.
    const Objects::BBox& modelBox() const { return m_modelBox; }
    void modelBox(const Objects::BBox& box) { m_modelBox = box; }

protected:
    ARenderNode() = default;
    ~ARenderNode() override;

private:
    NodeClient* m_source = nullptr;
    ARenderNode* m_parent = nullptr;
    std::vector<Objects::Ref<ARenderNode>> m_children;
    NodeAttributes m_attributes;
    unsigned m_clientType = 0;
    unsigned m_flags = 0;
    Objects::BBox m_modelBox;
};

} // namespace Wyn::Graphics
