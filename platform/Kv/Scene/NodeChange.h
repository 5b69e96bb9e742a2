#pragma once

#include "Kv/Base/Color.h"
#include "Kv/Base/Point3f.h"
#include "Kv/Base/StrongRef.h"
#include "Kv/Base/UniqueString.h"
#include "Wyn/Graphics/ARenderNode.h"
#include "Wyn/Objects/BBox.h"
#include "Wyn/Objects/LineStyle.h"
#include "Wyn/Objects/Mesh.h"
#include "Wyn/Objects/Ref.h"
#include "Wyn/Objects/TextStyle.h"

#include "ZkGeMatrix3d.h"
#include "ZkGePoint2d.h"

#include <string>
#include <vector>

class ZkGeCurve3d;

namespace Wyn::Graphics {
class CircleArcNode;
class EllipseArcNode;
class GeometryNode;
class GroupNode;
class LodGeometryNode;
class NurbsCurveNode;
class PolyLineNode;
class TextNode;
} // namespace Wyn::Graphics

namespace Kv::Scene {

class INodeSource;
class NodeData;
class SceneManager;

// The only way entities touch graphics nodes: opened on one node (or on none,
// to build one), it makes nodes and sets what the node shows. Every change
// takes effect at once; the object only scopes which node is meant and keeps
// the nodes it made alive until someone holds them.
//
// Attribute setters end with an "override children" flag (the attribute wins
// over the descendants' own) and a layer (the renderer and picking read
// layer 0). Operations on a change without a node, or on a node of the wrong
// kind, throw std::logic_error naming the operation and the node kind.
class NodeChange {
public:
    explicit NodeChange(Wyn::Graphics::ARenderNode* node = nullptr);
    template <class T>
    explicit NodeChange(const Wyn::Objects::Ref<T>& node)
        : NodeChange(node.get()) {}
    ~NodeChange();
    NodeChange(const NodeChange&) = delete;
    NodeChange& operator=(const NodeChange&) = delete;

    Wyn::Graphics::ARenderNode* node() const { return m_node.get(); }
    // The source being realised when the scene manager opened the change.
    INodeSource* source() const { return m_source; }
    // The level of detail being realised (0 outside level-of-detail passes).
    int level() const { return m_level; }
    // The change's node as that kind, or null.
    Wyn::Graphics::GroupNode* groupNode() const;
    Wyn::Graphics::GeometryNode* geometryNode() const;
    Wyn::Graphics::LodGeometryNode* lodGeometryNode() const;
    Wyn::Graphics::TextNode* textNode() const;

    // Making nodes. Each is made with `source` as its source; the first node
    // made by a change without a node becomes the change's node.
    Wyn::Graphics::GroupNode* createGroupNode(INodeSource* source, int worldType = 1,
                                              bool hidden = false, bool selectable = true);
    Wyn::Graphics::GeometryNode* createGeometryNode(INodeSource* source, bool selectable = true);
    Wyn::Graphics::LodGeometryNode*
    createLodGeometryNode(INodeSource* source, bool selectable = true, int levelCount = 1);
    Wyn::Graphics::PolyLineNode* createPolyLineNode(INodeSource* source,
                                                    const std::vector<ZkGePoint3d>& points);
    Wyn::Graphics::PolyLineNode* createPolyLineNode(INodeSource* source, const ZkGePoint3d& start,
                                                    const ZkGePoint3d& end);
    Wyn::Graphics::PolyLineNode* createPolyLineNode(INodeSource* source,
                                                    const std::vector<Point3f>& points);
    // Arcs, ellipses and NURBS curves are drawn from samples of the kernel
    // curve, taken densely enough that the chords stay within a thousandth
    // of the curve's size. Throws std::invalid_argument for an unbounded curve.
    Wyn::Graphics::CircleArcNode* createCircleArcNode(INodeSource* source, const ZkGeCurve3d& arc);
    Wyn::Graphics::EllipseArcNode* createEllipseArcNode(INodeSource* source,
                                                        const ZkGeCurve3d& arc);
    Wyn::Graphics::NurbsCurveNode* createNurbsCurveNode(INodeSource* source);
    Wyn::Graphics::NurbsCurveNode* createNurbsCurveNode(INodeSource* source,
                                                        const ZkGeCurve3d& curve);
    Wyn::Graphics::TextNode* createTextNode(INodeSource* source);

    // Children of the change's node. Adding a node takes it from its old parent.
    void addChild(Wyn::Graphics::ARenderNode* child);
    template <class T> void addChild(const Wyn::Objects::Ref<T>& child) { addChild(child.get()); }
    template <class T> void addChild(const StrongRef<T>& child) { addChild(child.getTarget()); }
    void removeChild(Wyn::Graphics::ARenderNode* child);
    template <class T> void removeChild(const Wyn::Objects::Ref<T>& child) {
        removeChild(child.get());
    }
    template <class T> void removeChild(const StrongRef<T>& child) {
        removeChild(child.getTarget());
    }
    void removeAllChildren();

    // What the node draws.
    void setPolyLine(const std::vector<ZkGePoint3d>& points);
    void setPolyLine(const ZkGePoint3d& start, const ZkGePoint3d& end);
    void setPolyLine(const std::vector<Point3f>& points);
    void setCircleArc(const ZkGeCurve3d& arc);
    void setEllipseArc(const ZkGeCurve3d& arc);
    void setNurbsCurve(const ZkGeCurve3d& curve);
    // Replaces the mesh parts named by `flags` (1 positions, 2 normals,
    // 4 texture coordinates, 8 indices; 15 all) of a geometry node, or of the
    // level being realised of a level-of-detail node.
    void geometry(const Wyn::Objects::Mesh& mesh, unsigned flags = 15);
    void modelBox(const Wyn::Objects::BBox& box);
    void modelBox(const ZkGePoint3d& minPoint, const ZkGePoint3d& maxPoint);
    // Text nodes.
    void text(const std::wstring& text);
    void textStyle(const Wyn::Objects::TextStyle& style);
    void anchor(const ZkGePoint2d& anchor);

    // Attributes.
    void colorEffect(const Color& color, bool overrideChildren = false, int layer = 0);
    // An empty image name colours the node; a name (an image's local path)
    // paints that image on the node's triangles. A negative factor leaves the
    // colour's alpha as it is.
    void occludedEffect(const std::string& imageName, const Color& color, double visibleFactor,
                        double occludedFactor, bool overrideChildren = false, int layer = 0);
    void lineStyle(double weight, bool overrideChildren = false, int layer = 0);
    void lineStyle(double weight, const UniqueString& pattern, double xScale,
                   bool overrideChildren = false, int layer = 0);
    void lineStyle(const Wyn::Objects::LineStyle& style, bool overrideChildren = false,
                   int layer = 0);
    void depthPriority(int priority, bool overrideChildren = false, int layer = 0);
    void selectability(bool selectable, int selectionKind, const UniqueString* qualifier = nullptr,
                       bool overrideChildren = false, int layer = 0);
    void selectability(bool selectable, int selectionKind, const UniqueString& qualifier,
                       bool overrideChildren = false, int layer = 0);
    void visibility(bool visible, bool overrideChildren = false, int layer = 0);
    // Removes the attribute of that type (Wyn::Graphics::AttributeType: 0 is
    // visibility, so removing it shows a hidden node again).
    void removeAttribute(int attributeType, int layer = 0);
    // With `concatenate` the matrix applies before the node's current one.
    void transform(const ZkGeMatrix3d& matrix, bool concatenate = false,
                   bool overrideChildren = false, int layer = 0);
    void pixelScale(double scale, double factor, const ZkGePoint3d& anchor,
                    bool overrideChildren = false, int layer = 0);
    void billboard(const ZkGePoint3d& anchor, int mode, const ZkGeVector3d& up,
                   bool overrideChildren = false, int layer = 0);

    // Node bookkeeping.
    void nodeFlags(unsigned flags, bool on = true);
    void clientType(unsigned type);
    void source(INodeSource* source);
    void clearSource() { source(nullptr); }

private:
    friend class SceneManager;
    // A change the scene manager opens to realise `record`.
    NodeChange(NodeData* record, Wyn::Graphics::ARenderNode* node, bool childPhase, int level);

    Wyn::Graphics::ARenderNode& target(const char* operation) const;
    template <class T> T& target(const char* operation, const char* wanted) const;
    void adopt(Wyn::Graphics::ARenderNode* made);

    Wyn::Objects::Ref<Wyn::Graphics::ARenderNode> m_node;
    INodeSource* m_source = nullptr;
    NodeData* m_record = nullptr;
    bool m_childPhase = false;
    int m_level = 0;
    std::vector<Wyn::Objects::Ref<Wyn::Graphics::ARenderNode>> m_made;
};

} // namespace Kv::Scene
