#include "Kv/Scene/NodeChange.h"

#include "Kv/Scene/INodeSource.h"
#include "Kv/Scene/NodeData.h"
#include "Wyn/Graphics/CircleArcNode.h"
#include "Wyn/Graphics/EllipseArcNode.h"
#include "Wyn/Graphics/GroupNode.h"
#include "Wyn/Graphics/LodGeometryNode.h"
#include "Wyn/Graphics/NurbsCurveNode.h"
#include "Wyn/Graphics/PolyLineNode.h"
#include "Wyn/Graphics/TextNode.h"

#include "ZkGeCurve3d.h"
#include "ZkGeCurveSampling.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace Kv::Scene {
namespace {

using Wyn::Graphics::ARenderNode;
using Wyn::Graphics::Attribute;
using Wyn::Graphics::AttributeType;
using Wyn::Objects::makeRef;

Wyn::Objects::Color toWyn(const Color& c) {
    return Wyn::Objects::Color(c.red, c.green, c.blue, c.alpha);
}

std::vector<ZkGePoint3d> widen(const std::vector<Point3f>& points) {
    std::vector<ZkGePoint3d> out;
    out.reserve(points.size());
    for (const Point3f& p : points)
        out.emplace_back(p.x, p.y, p.z);
    return out;
}

// Samples a bounded kernel curve densely enough that the chords stay within
// a thousandth of the curve's extent.
std::vector<ZkGePoint3d> sampleForDrawing(const ZkGeCurve3d& curve) {
    return ZkGeCurveSampling::chordPoints(curve, [](const std::vector<ZkGePoint3d>& even) {
        Wyn::Objects::BBox box;
        for (const ZkGePoint3d& p : even)
            box.extend(p);
        return box.isEmpty() ? 0.0 : box.minPoint().distanceTo(box.maxPoint()) * 1e-3;
    });
}

} // namespace

NodeChange::NodeChange(ARenderNode* node)
    : m_node(node) {}

NodeChange::NodeChange(NodeData* record, ARenderNode* node, bool childPhase, int level)
    : m_node(node)
    , m_source(record ? record->source() : nullptr)
    , m_record(record)
    , m_childPhase(childPhase)
    , m_level(level) {}

NodeChange::~NodeChange() = default;

ARenderNode& NodeChange::target(const char* operation) const {
    if (!m_node)
        throw std::logic_error(std::string(operation) + ": the node change has no node");
    return *m_node;
}

template <class T> T& NodeChange::target(const char* operation, const char* wanted) const {
    ARenderNode& node = target(operation);
    auto* typed = dynamic_cast<T*>(&node);
    if (!typed)
        throw std::logic_error(std::string(operation) + " needs " + wanted + ", not a " +
                               ARenderNode::kindName(node.kind()));
    return *typed;
}

Wyn::Graphics::GroupNode* NodeChange::groupNode() const {
    return dynamic_cast<Wyn::Graphics::GroupNode*>(m_node.get());
}

Wyn::Graphics::GeometryNode* NodeChange::geometryNode() const {
    return dynamic_cast<Wyn::Graphics::GeometryNode*>(m_node.get());
}

Wyn::Graphics::LodGeometryNode* NodeChange::lodGeometryNode() const {
    return dynamic_cast<Wyn::Graphics::LodGeometryNode*>(m_node.get());
}

Wyn::Graphics::TextNode* NodeChange::textNode() const {
    return dynamic_cast<Wyn::Graphics::TextNode*>(m_node.get());
}

// ---- making nodes

void NodeChange::adopt(ARenderNode* made) {
    m_made.emplace_back(made);
    if (!m_node)
        m_node = made;
}

Wyn::Graphics::GroupNode* NodeChange::createGroupNode(INodeSource* source, int worldType,
                                                      bool hidden, bool selectable) {
    auto node = makeRef<Wyn::Graphics::GroupNode>(worldType);
    node->source(source);
    if (hidden)
        node->attributes().set(Attribute::visibility(false));
    if (!selectable)
        node->attributes().set(Attribute::selectability(false, 0, {}));
    adopt(node.get());
    return node.get();
}

Wyn::Graphics::GeometryNode* NodeChange::createGeometryNode(INodeSource* source, bool selectable) {
    auto node = makeRef<Wyn::Graphics::GeometryNode>();
    node->source(source);
    if (!selectable)
        node->attributes().set(Attribute::selectability(false, 0, {}));
    adopt(node.get());
    return node.get();
}

Wyn::Graphics::LodGeometryNode* NodeChange::createLodGeometryNode(INodeSource* source,
                                                                  bool selectable, int levelCount) {
    auto node = makeRef<Wyn::Graphics::LodGeometryNode>(levelCount);
    node->source(source);
    if (!selectable)
        node->attributes().set(Attribute::selectability(false, 0, {}));
    adopt(node.get());
    return node.get();
}

Wyn::Graphics::PolyLineNode*
NodeChange::createPolyLineNode(INodeSource* source, const std::vector<ZkGePoint3d>& points) {
    auto node = makeRef<Wyn::Graphics::PolyLineNode>();
    node->source(source);
    node->points(points);
    adopt(node.get());
    return node.get();
}

Wyn::Graphics::PolyLineNode* NodeChange::createPolyLineNode(INodeSource* source,
                                                            const ZkGePoint3d& start,
                                                            const ZkGePoint3d& end) {
    return createPolyLineNode(source, std::vector<ZkGePoint3d>{start, end});
}

Wyn::Graphics::PolyLineNode* NodeChange::createPolyLineNode(INodeSource* source,
                                                            const std::vector<Point3f>& points) {
    return createPolyLineNode(source, widen(points));
}

Wyn::Graphics::CircleArcNode* NodeChange::createCircleArcNode(INodeSource* source,
                                                              const ZkGeCurve3d& arc) {
    auto node = makeRef<Wyn::Graphics::CircleArcNode>();
    node->source(source);
    node->points(sampleForDrawing(arc));
    adopt(node.get());
    return node.get();
}

Wyn::Graphics::EllipseArcNode* NodeChange::createEllipseArcNode(INodeSource* source,
                                                                const ZkGeCurve3d& arc) {
    auto node = makeRef<Wyn::Graphics::EllipseArcNode>();
    node->source(source);
    node->points(sampleForDrawing(arc));
    adopt(node.get());
    return node.get();
}

Wyn::Graphics::NurbsCurveNode* NodeChange::createNurbsCurveNode(INodeSource* source) {
    auto node = makeRef<Wyn::Graphics::NurbsCurveNode>();
    node->source(source);
    adopt(node.get());
    return node.get();
}

Wyn::Graphics::NurbsCurveNode* NodeChange::createNurbsCurveNode(INodeSource* source,
                                                                const ZkGeCurve3d& curve) {
    std::vector<ZkGePoint3d> samples = sampleForDrawing(curve);
    Wyn::Graphics::NurbsCurveNode* node = createNurbsCurveNode(source);
    node->points(std::move(samples));
    return node;
}

Wyn::Graphics::TextNode* NodeChange::createTextNode(INodeSource* source) {
    auto node = makeRef<Wyn::Graphics::TextNode>();
    node->source(source);
    adopt(node.get());
    return node.get();
}

// ---- children

void NodeChange::addChild(ARenderNode* child) {
    if (!child)
        throw std::logic_error("addChild: no node to add");
    target("addChild").addChild(child);
    if (m_childPhase && m_record)
        m_record->childNodes().emplace_back(child);
}

void NodeChange::removeChild(ARenderNode* child) {
    target("removeChild").removeChild(child);
}

void NodeChange::removeAllChildren() {
    target("removeAllChildren").removeAllChildren();
}

// ---- content

void NodeChange::setPolyLine(const std::vector<ZkGePoint3d>& points) {
    target<Wyn::Graphics::PolyLineNode>("setPolyLine", "a polyline node").points(points);
}

void NodeChange::setPolyLine(const ZkGePoint3d& start, const ZkGePoint3d& end) {
    setPolyLine(std::vector<ZkGePoint3d>{start, end});
}

void NodeChange::setPolyLine(const std::vector<Point3f>& points) {
    setPolyLine(widen(points));
}

void NodeChange::setCircleArc(const ZkGeCurve3d& arc) {
    auto& node = target<Wyn::Graphics::CircleArcNode>("setCircleArc", "a circle-arc node");
    node.points(sampleForDrawing(arc));
}

void NodeChange::setEllipseArc(const ZkGeCurve3d& arc) {
    auto& node = target<Wyn::Graphics::EllipseArcNode>("setEllipseArc", "an ellipse-arc node");
    node.points(sampleForDrawing(arc));
}

void NodeChange::setNurbsCurve(const ZkGeCurve3d& curve) {
    auto& node = target<Wyn::Graphics::NurbsCurveNode>("setNurbsCurve", "a NURBS-curve node");
    node.points(sampleForDrawing(curve));
}

void NodeChange::geometry(const Wyn::Objects::Mesh& mesh, unsigned flags) {
    if (auto* lod = lodGeometryNode()) {
        lod->mesh(m_level, mesh, flags);
        return;
    }
    target<Wyn::Graphics::GeometryNode>("geometry", "a geometry node").mesh(mesh, flags);
}

void NodeChange::modelBox(const Wyn::Objects::BBox& box) {
    target("modelBox").modelBox(box);
}

void NodeChange::modelBox(const ZkGePoint3d& minPoint, const ZkGePoint3d& maxPoint) {
    modelBox(Wyn::Objects::BBox(minPoint, maxPoint));
}

void NodeChange::text(const std::wstring& text) {
    target<Wyn::Graphics::TextNode>("text", "a text node").text(text);
}

void NodeChange::textStyle(const Wyn::Objects::TextStyle& style) {
    target<Wyn::Graphics::TextNode>("textStyle", "a text node").defaultStyle(style);
}

void NodeChange::anchor(const ZkGePoint2d& anchor) {
    target<Wyn::Graphics::TextNode>("anchor", "a text node").anchor(anchor);
}

// ---- attributes

void NodeChange::colorEffect(const Color& color, bool overrideChildren, int layer) {
    target("colorEffect")
        .attributes()
        .set(Attribute::colorEffect(toWyn(color)).overrideChildren(overrideChildren).layer(layer));
}

void NodeChange::occludedEffect(const std::string& imageName, const Color& color,
                                double visibleFactor, double occludedFactor, bool overrideChildren,
                                int layer) {
    target("occludedEffect")
        .attributes()
        .set(Attribute::occludedEffect(imageName, toWyn(color), visibleFactor, occludedFactor)
                 .overrideChildren(overrideChildren)
                 .layer(layer));
}

void NodeChange::lineStyle(double weight, bool overrideChildren, int layer) {
    lineStyle(Wyn::Objects::LineStyle(weight), overrideChildren, layer);
}

void NodeChange::lineStyle(double weight, const UniqueString& pattern, double xScale,
                           bool overrideChildren, int layer) {
    lineStyle(
        Wyn::Objects::LineStyle(weight, pattern.isNull() ? std::string() : pattern.str(), xScale),
        overrideChildren, layer);
}

void NodeChange::lineStyle(const Wyn::Objects::LineStyle& style, bool overrideChildren, int layer) {
    target("lineStyle")
        .attributes()
        .set(Attribute::lineStyle(style).overrideChildren(overrideChildren).layer(layer));
}

void NodeChange::depthPriority(int priority, bool overrideChildren, int layer) {
    target("depthPriority")
        .attributes()
        .set(Attribute::depthPriority(priority).overrideChildren(overrideChildren).layer(layer));
}

void NodeChange::selectability(bool selectable, int selectionKind, const UniqueString* qualifier,
                               bool overrideChildren, int layer) {
    const std::string text = qualifier && !qualifier->isNull() ? qualifier->str() : std::string();
    target("selectability")
        .attributes()
        .set(Attribute::selectability(selectable, selectionKind, text)
                 .overrideChildren(overrideChildren)
                 .layer(layer));
}

void NodeChange::selectability(bool selectable, int selectionKind, const UniqueString& qualifier,
                               bool overrideChildren, int layer) {
    selectability(selectable, selectionKind, &qualifier, overrideChildren, layer);
}

void NodeChange::visibility(bool visible, bool overrideChildren, int layer) {
    target("visibility")
        .attributes()
        .set(Attribute::visibility(visible).overrideChildren(overrideChildren).layer(layer));
}

void NodeChange::removeAttribute(int attributeType, int layer) {
    if (attributeType < static_cast<int>(AttributeType::Visibility) ||
        attributeType > static_cast<int>(AttributeType::Billboard))
        throw std::invalid_argument("removeAttribute: there is no attribute type " +
                                    std::to_string(attributeType));
    target("removeAttribute").attributes().remove(static_cast<AttributeType>(attributeType), layer);
}

void NodeChange::transform(const ZkGeMatrix3d& matrix, bool concatenate, bool overrideChildren,
                           int layer) {
    ARenderNode& node = target("transform");
    ZkGeMatrix3d m = matrix;
    if (concatenate)
        if (const Attribute* held = node.attributes().find(AttributeType::Transform, layer))
            m = held->matrix() * matrix;
    node.attributes().set(Attribute::transform(m).overrideChildren(overrideChildren).layer(layer));
}

void NodeChange::pixelScale(double scale, double factor, const ZkGePoint3d& anchor,
                            bool overrideChildren, int layer) {
    if (!(scale > 0.0) || !(factor > 0.0))
        throw std::invalid_argument("pixelScale needs a positive scale and factor");
    target("pixelScale")
        .attributes()
        .set(Attribute::pixelScale(scale, factor, anchor)
                 .overrideChildren(overrideChildren)
                 .layer(layer));
}

void NodeChange::billboard(const ZkGePoint3d& anchor, int mode, const ZkGeVector3d& up,
                           bool overrideChildren, int layer) {
    target("billboard")
        .attributes()
        .set(
            Attribute::billboard(anchor, mode, up).overrideChildren(overrideChildren).layer(layer));
}

void NodeChange::nodeFlags(unsigned flags, bool on) {
    target("nodeFlags").nodeFlags(flags, on);
}

void NodeChange::clientType(unsigned type) {
    target("clientType").clientType(type);
}

void NodeChange::source(INodeSource* source) {
    target("source").source(source);
}

} // namespace Kv::Scene
